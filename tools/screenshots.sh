#!/usr/bin/env bash
# Regenerates the README's pictures in docs/: the main window after a few device events, the
# Notifications menu open, the About box and the save question. They are taken on a virtual
# display, inside a Wine desktop, from the running program.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
cmake --build "$build" -j 2 --target orvane_demo

. "$root/tools/demo-session.sh"
trap wine_session_stop EXIT
# Always a virtual display of our own: a real one would show whatever else is on it.
unset DISPLAY
demo_session_start "$build"

mkdir -p "$root/docs"
wine "$build/bin/orvane_demo.exe" screenshots "$(winepath -w "$root/docs")"
ls -l "$root"/docs/*.png

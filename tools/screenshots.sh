#!/usr/bin/env bash
# Regenerates the README's pictures in docs/: the main window after a few device events, the
# Notifications menu open, the About box and the save question. They are taken on a virtual
# display, inside a Wine desktop, from the running program.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
cmake --build "$build" -j "$jobs" --target orvane_demo

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
# Always a virtual display of the session's own: a real one would show whatever else is on it.
wine_session_start "$build/demo-session"

mkdir -p "$root/docs"
wine "$build/bin/orvane_demo.exe" screenshots "$(winepath -w "$root/docs")"
ls -l "$root"/docs/*.png

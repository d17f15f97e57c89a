#!/usr/bin/env bash
# Builds Orvane.exe and runs it under Wine. Without a display it runs on a virtual one.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"

"$root/tools/install-deps.sh"
cmake --preset mingw -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j 2 --target Orvane

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"
echo "Running $build/bin/Orvane.exe (DISPLAY=$DISPLAY)"
wine "$build/bin/Orvane.exe"

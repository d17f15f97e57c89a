#!/usr/bin/env bash
# Builds Orvane.exe and runs it under Wine. With a display, it simply starts the program.
# Without one, it plays a short demonstration on a virtual display: device broadcasts sent to
# the window as the system sends them, and a user's commands through the menus. A screenshot and
# the log, saved through the program's own File > Save As, land in BUILD_DIR/demo/.
# The program and the demonstration run in a Wine session of their own (BUILD_DIR/demo-session),
# apart from the tests'.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
. "$root/tools/wine-session.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cmake --build "$build" -j "$jobs" --target Orvane
  trap wine_session_stop EXIT
  wine_session_start "$build/demo-session" "$DISPLAY"
  echo "Running $build/bin/Orvane.exe (DISPLAY=$DISPLAY)"
  wine "$build/bin/Orvane.exe"
  exit 0
fi

cmake --build "$build" -j "$jobs" --target orvane_demo
trap wine_session_stop EXIT
wine_session_start "$build/demo-session"

out="$build/demo"
mkdir -p "$out"
echo "No display: playing a demonstration of Orvane on a virtual one (DISPLAY=$DISPLAY)."
wine "$build/bin/orvane_demo.exe" play "$(winepath -w "$out")"
echo "Screenshot: $out/orvane-demo.png"
echo "Log:        $out/orvane-demo-log.txt (UTF-16LE, CR LF)"

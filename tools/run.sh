#!/usr/bin/env bash
# Builds Orvane.exe and runs it under Wine. With a display, it simply starts the program.
# Without one, it plays a short demonstration on a virtual display: device broadcasts sent to
# the window as the system sends them, and a user's commands through the menus. A screenshot and
# the log, saved through the program's own File > Save As, land in BUILD_DIR/demo/.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cmake --build "$build" -j 2 --target Orvane
  . "$root/tools/wine-session.sh"
  trap wine_session_stop EXIT
  wine_session_start "$build"
  echo "Running $build/bin/Orvane.exe (DISPLAY=$DISPLAY)"
  wine "$build/bin/Orvane.exe"
  exit 0
fi

cmake --build "$build" -j 2 --target orvane_demo
. "$root/tools/demo-session.sh"
trap wine_session_stop EXIT
demo_session_start "$build"

out="$build/demo"
mkdir -p "$out"
echo "No display: playing a demonstration of Orvane on a virtual one (DISPLAY=$DISPLAY)."
wine "$build/bin/orvane_demo.exe" play "$(winepath -w "$out")"
echo "Screenshot: $out/orvane-demo.png"
echo "Log:        $out/orvane-demo-log.txt (UTF-16LE, CR LF)"

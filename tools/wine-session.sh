# Sourced by the run and test scripts: a private Wine prefix per build tree and a
# virtual X display when there is no real one.
#   wine_session_start BUILD_DIR   -> exports WINEPREFIX, WINEDEBUG, DISPLAY
#   wine_session_stop              -> ends the wineserver and any Xvfb we started

ORVANE_XVFB_PID=""

wine_prefix_init() {
  local prefix="$1"
  export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64
  # Keep Wine from offering to download Mono/Gecko on first boot: nothing is fetched here.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$prefix/.orvane-ready-2" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 || true
    # Report Windows 10, so the manifest's supported-OS ids decide what GetVersionExW says.
    wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f >/dev/null 2>&1
    # Wine draws the window frames itself: without a window manager (Xvfb) a managed window
    # waits for one that never answers, which costs seconds per dialog.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.orvane-ready-2"
  fi
}

wine_display_start() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
      ORVANE_XVFB_PID=$!
      export DISPLAY=":$n"
      local i
      for i in $(seq 1 100); do
        if xdpyinfo >/dev/null 2>&1; then return 0; fi
        sleep 0.1
      done
      echo "Xvfb on :$n did not come up" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}

wine_session_start() {
  local build_dir="$1"
  wine_display_start
  wine_prefix_init "$build_dir/wineprefix"
  # A persistent wineserver makes every test process start in milliseconds. Wine's own
  # background processes (services, explorer) are started here, detached from our output:
  # started by a test instead, they would inherit its stdout and keep CTest's pipe open.
  wineserver -p >/dev/null 2>&1 || true
  wine wineboot </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$ORVANE_XVFB_PID" ]; then
    kill "$ORVANE_XVFB_PID" >/dev/null 2>&1 || true
    wait "$ORVANE_XVFB_PID" 2>/dev/null || true
    ORVANE_XVFB_PID=""
  fi
}

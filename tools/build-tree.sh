# Sourced by the test, run, screenshot, package and benchmark scripts: the one configure step.
# Installs what is missing and configures the build tree. Sets root (this source tree), build
# (ORVANE_BUILD_DIR, or build/ by default) and jobs (the machine's processors, for make and
# CTest).
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
jobs="$(nproc)"
"$root/tools/install-deps.sh"
cmake --preset mingw -S "$root" -B "$build" >/dev/null

# Sourced by the test, run, screenshot, package and benchmark scripts: the one configure step.
# Installs what is missing and configures the build tree. Sets root (this source tree), build
# (ORVANE_BUILD_DIR, or build/ by default) and jobs (the machine's processors, for make and
# CTest). configure_tree SOURCE BUILD [CMAKE ARGS] configures any tree the same way: the
# benchmark's tree of an earlier commit goes through it too.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
jobs="$(nproc)"
configure_tree() { cmake --preset mingw -S "$1" -B "$2" "${@:3}" >/dev/null; }
"$root/tools/install-deps.sh"
configure_tree "$root" "$build"

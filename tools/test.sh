#!/usr/bin/env bash
# Builds Orvane and every test, then runs them all under Wine. Exits non-zero when any test fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# ORVANE_BUILD_DIR lets several work trees or people share the machine; default build/.
build="${ORVANE_BUILD_DIR:-$root/build}"

"$root/tools/install-deps.sh"
cmake --preset mingw -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j 2

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"

ctest --test-dir "$build" --output-on-failure --timeout 300 -j 2 "$@"

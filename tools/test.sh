#!/usr/bin/env bash
# Builds Orvane, its tests, the benchmark and the demonstration, then runs the tests: the test
# programs under Wine, and beside them clang-tidy over src/ and tools/. Exits non-zero when any
# test fails. Arguments go to CTest (for example -R LogFont). The benchmark (bench/run.sh) and the
# demonstration (tools/run.sh) are run by their own commands.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT

# A new build tree's Wine prefix takes a quarter of a minute to make, nearly all of it spent
# waiting on Wine: the session is started while the build runs, and joined again once it is
# done, in case the build outlasted it.
cmake --build "$build" -j "$jobs" &
building=$!
if ! wine_session_start "$build"; then
  wait "$building" || true
  exit 1
fi
wait "$building"
wine_session_start "$build"

ctest --test-dir "$build" --output-on-failure -j "$jobs" "$@"

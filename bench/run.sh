#!/usr/bin/env bash
# Builds the benchmark, checks its statistics and runs it under Wine on a virtual display; it
# ends by itself.
#   bench/run.sh [--commit REV] [OrvaneBench options: --rounds N, --only burst,startup,save,lookup,longlog]
# Without --commit it measures the Orvane.exe of this tree. With --commit it measures the
# Orvane.exe built from REV instead: REV's files, taken with git archive (no worktree), and
# their build stay under this tree's build directory in bench-REV/ for the next run of REV.
set -euo pipefail
commit=""
if [ "${1:-}" = "--commit" ]; then
  commit="${2:?--commit needs a revision}"
  shift 2
fi

. "$(dirname "$0")/../tools/build-tree.sh"
cmake --build "$build" -j 2 --target OrvaneBench bench_stats_tests

orvane="$build/bin/Orvane.exe"
measured="$(git -C "$root" rev-parse --short HEAD)"
if ! git -C "$root" diff --quiet HEAD -- src; then measured="$measured + uncommitted changes in src/"; fi
if [ -n "$commit" ]; then
  measured="$(git -C "$root" rev-parse --short "$commit^{commit}")"
  tree="$build/bench-$measured"
  if [ ! -d "$tree/source" ]; then
    # Unpacked beside and renamed when whole, so an interrupted run leaves no half tree.
    rm -rf "$tree/unpacking"
    mkdir -p "$tree/unpacking"
    git -C "$root" archive "$measured" | tar -x -C "$tree/unpacking"
    mv "$tree/unpacking" "$tree/source"
  fi
  configure_tree "$tree/source" "$tree/build" -DBUILD_TESTING=OFF
  cmake --build "$tree/build" -j 2 --target Orvane
  orvane="$tree/build/bin/Orvane.exe"
fi

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"

# The report's medians and ratios are checked before they are used.
wine "$build/bin/bench_stats_tests.exe" --gtest_brief=1

echo "date:     $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "measured: Orvane.exe of commit $measured"
echo "machine:  $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "memory:   $(awk '/^MemTotal:/ {t = $2} /^MemAvailable:/ {a = $2}
                       END {printf "%.1f GiB total, %.1f GiB available", t / 1048576, a / 1048576}' /proc/meminfo)"
echo "wine:     $(wine --version 2>/dev/null)"
# The figures move with the machine's load (other builds and tests), so it goes with them.
echo "load:     $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) at the start"
echo
timeout 900 wine "$build/bin/OrvaneBench.exe" --orvane "$(winepath -w "$orvane")" "$@"
echo "load:     $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) at the end"

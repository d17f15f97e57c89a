#!/usr/bin/env bash
# Builds the benchmark and runs it under Wine on a virtual display; it ends by itself.
#   bench/run.sh [--commit REV] [OrvaneBench options: --rounds N, --only burst,startup,save,lookup]
# Without --commit it measures the Orvane.exe of this tree. With --commit it measures the
# Orvane.exe built from REV instead: a git worktree of REV, built in its own build directory
# under this tree's build directory (ORVANE_BUILD_DIR, default build/).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"

commit=""
if [ "${1:-}" = "--commit" ]; then
  commit="${2:?--commit needs a revision}"
  shift 2
fi

"$root/tools/install-deps.sh"
cmake --preset mingw -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j 2 --target OrvaneBench

orvane="$build/bin/Orvane.exe"
measured="$(git -C "$root" rev-parse --short HEAD)"
if ! git -C "$root" diff --quiet HEAD -- src; then measured="$measured + uncommitted changes in src/"; fi
if [ -n "$commit" ]; then
  measured="$(git -C "$root" rev-parse --short "$commit^{commit}")"
  tree="$build/bench-$measured"
  if [ ! -e "$tree/src/.git" ]; then
    git -C "$root" worktree add --detach "$tree/src" "$measured" >/dev/null
  fi
  cmake --preset mingw -S "$tree/src" -B "$tree/build" -DBUILD_TESTING=OFF >/dev/null
  cmake --build "$tree/build" -j 2 --target Orvane
  orvane="$tree/build/bin/Orvane.exe"
fi

. "$root/tools/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start "$build"

echo "date:     $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "measured: Orvane.exe of commit $measured"
echo "machine:  $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "memory:   $(free -h | awk '/^Mem:/ {print $2 " total, " $7 " available"}')"
echo "wine:     $(wine --version 2>/dev/null)"
# The figures move with the machine's load (other builds and tests), so it goes with them.
echo "load:     $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) at the start"
echo
timeout 900 wine "$build/bin/OrvaneBench.exe" --orvane "$(winepath -w "$orvane")" "$@"
echo "load:     $(cut -d' ' -f1-3 /proc/loadavg) (1, 5, 15 minutes) at the end"

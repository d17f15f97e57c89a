#!/usr/bin/env bash
# Makes the release zip, BUILD_DIR/package/Orvane-<version>-win64.zip (Orvane.exe, README.txt,
# LICENSE), and its checksum file beside it, from the Orvane.exe that tools/test.sh built and
# tested. It builds nothing: an exe built here would be one that no test ran. Then it checks the
# zip (tests/package/check_package.py) and names it, its checksum file and the exe's version.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
exe="$build/bin/Orvane.exe"
if [ ! -f "$exe" ]; then
  echo "package.sh: $exe is missing. Run tools/test.sh first: the zip holds the exe the tests ran." >&2
  exit 1
fi
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)
python3 "$root/tests/package/check_package.py" "$(cat "$build/package-file.txt")" "$exe" \
  "$(cat "$build/source-date-epoch.txt")"

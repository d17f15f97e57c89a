#!/usr/bin/env bash
# Makes the release zip, BUILD_DIR/package/Orvane-<version>-win64.zip: Orvane.exe (static, with
# its version record and manifest), README.md and LICENSE.
set -euo pipefail
. "$(dirname "$0")/build-tree.sh"
cmake --build "$build" -j "$jobs" --target Orvane
(cd "$build" && cpack --config CPackConfig.cmake >/dev/null)

zip="$(cat "$build/package-file.txt")"
# Refuse a zip that lacks any of its three files.
python3 - "$zip" <<'PY'
import sys, zipfile
names = {n.rsplit('/', 1)[-1] for n in zipfile.ZipFile(sys.argv[1]).namelist()}
missing = {'Orvane.exe', 'README.md', 'LICENSE'} - names
if missing:
    sys.exit('package lacks ' + ', '.join(sorted(missing)))
PY
echo "Package: $zip ($(stat -c %s "$zip") bytes)"

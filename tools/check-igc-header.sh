#!/usr/bin/env bash
# Writes pilot files with the program's own writer and checks that an
# independent IGC reader (the npm package igc-parser, version 2) takes their
# header lines for the pilot, glider type and competition class written.
# Usage: check-igc-header.sh [NATIVE_BUILD_DIR]   (default build/native)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/native}
here=$root/tools/igc-check
writer=$build/write_pilot_file
[ -x "$writer" ] || { echo "no $writer: build the native build first"; exit 1; }
if [ ! -f "$here/node_modules/igc-parser/package.json" ]; then
  (cd "$here" && npm ci --no-audit --no-fund --silent)
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The program's files are Windows-1252; the cases here are UTF-8.
cp1252() { printf '%s' "$1" | iconv -f UTF-8 -t CP1252; }

count=0
# IGC-ID | pilot | glider | class list item | class igc-parser should read
while IFS='|' read -r id pilot glider item class; do
  file=$scratch/igcheader-$count.txt
  "$writer" "$file" "$(cp1252 "$id")" "$(cp1252 "$pilot")" "$(cp1252 "$glider")" "$item"
  node "$here/check.js" "$file" "$pilot" "$glider" "$class"
  count=$((count + 1))
done <<'CASES'
MaMu|Max Mustermann|Advance Alpha 3|4|Paraglider (Sport)
JöMü|Jörg Müller-Lä (2)|Nova Mentor 7 +/-,|0|
ABCD|Abcdefghijklmnopqrstuv|Wing 45° 0123456789 x|7|HG (Fun Cup)
1234| Lead and trail blank |Ozone|1|Flexible Wing
XXXX|||6|Paraglider (Fun Cup)
CASES
echo "$count pilot files read by igc-parser as written"

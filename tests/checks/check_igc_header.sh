#!/usr/bin/env bash
# An independent IGC reader (the npm package igc-parser) reads pilot files
# made by the program's own writer, and the sample instrument's flight logs.
# Usage: check_igc_header.sh [NATIVE_BUILD_DIR]   (default build/native)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
writer=${1:-$root/build/native}/write_pilot_file
check=$root/tests/checks/igc_parser/check.js
[ -f "$root/tests/checks/igc_parser/node_modules/igc-parser/package.json" ] ||
  (cd "$root/tests/checks/igc_parser" && npm ci --no-audit --no-fund --silent)
file=$(mktemp)
cp1252() { printf '%s' "$1" | iconv -f UTF-8 -t CP1252; }
trap 'rm -f "$file"' EXIT
# IGC-ID | pilot | glider | class list item | class read; UTF-8 here, Windows-1252 in the file.
while IFS='|' read -r id pilot glider item class; do
  "$writer" "$file" "$(cp1252 "$id")" "$(cp1252 "$pilot")" "$(cp1252 "$glider")" "$item"
  node "$check" "$file" "$pilot" "$glider" "$class"
done <<'CASES'
MaMu|Max Mustermann|Advance Alpha 3|4|Paraglider (Sport)
JöMü|Jörg Müller-Lä (2)|Nova Mentor 7 +/-,|0|
ABCD|Abcdefghijklmnopqrstuv|Wing 45° 0123456789 x|7|HG (Fun Cup)
1234| Lead and trail blank |Ozone|1|Flexible Wing
XXXX|||6|Paraglider (Fun Cup)
CASES
find "$root/samples/instrument/FLIGHTS" -iname '*.igc' -exec node "$check" --flights {} +
echo "igc-parser reads the pilot files and the sample's flight logs as written"

#!/usr/bin/env bash
# Builds everything and runs every test suite: the native suites (with
# AddressSanitizer and UBSan), a short run of each fuzz target, the checks of
# the program file and its resources, and the Windows suites under Wine.
# Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/tools/build/install_deps.sh" || exit 1

passed=0
failed=0
logs=$root/build/logs
mkdir -p "$logs"

# Counts a CTest run from its summary line ("95% tests passed, 1 tests failed out of 20").
count_ctest() {
  local line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  if [ -z "$line" ]; then
    failed=$((failed + 1)); return
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# A named check that passes or fails as a whole.
check() {
  local name=$1; shift
  if "$@" >"$logs/$name.log" 2>&1; then
    passed=$((passed + 1)); echo "check $name: passed"
  else
    failed=$((failed + 1)); echo "check $name: FAILED"; tail -n 30 "$logs/$name.log"
  fi
}

# Every include keeps to its layer.
check layers python3 tests/checks/check_layers.py

echo "== native suites (ASan, UBSan)"
if tools/build/build.sh native; then
  (cd build/native && ctest --output-on-failure -j 2) 2>&1 | tee "$logs/native.log" | grep -E 'tests passed|Failed|FAILED' || true
  count_ctest "$logs/native.log"
  # The pilot file as an independent IGC reader sees it.
  check igc-header tests/checks/check_igc_header.sh build/native
  # The flight view's numbers against those computed from igc-parser's fixes.
  check flight-numbers bash -c "set -o pipefail; build/native/flight_numbers \$(find samples/instrument/FLIGHTS -type f | sort) |
    node tests/checks/igc_parser/check_flight_numbers.js"
  # The GPX and CUP waypoint files as GPSBabel, xmllint and Python's csv read them.
  check waypoint-files python3 tests/checks/check_waypoint_files.py build/native
  # Waypoint files of GPSBabel and the csv module read as ElementTree and csv
  # read them, and the round trip of the export through the readers.
  check waypoint-import python3 tests/checks/check_waypoint_import.py build/native
  # The flight book's rows as GPSBabel and Python's csv module read them.
  check flight-book python3 tests/checks/check_flight_book.py build/native
else
  failed=$((failed + 1)); echo "native build FAILED"
fi

echo "== fuzz targets (short runs)"
if tools/build/build.sh fuzz; then
  for target in build/fuzz/fuzz_*; do
    name=$(basename "$target")
    # New inputs go to a scratch folder; the seeds in fuzz/corpus stay as they are.
    scratch=$root/build/fuzz/corpus-${name#fuzz_}
    mkdir -p "$scratch"
    check "$name" "$target" -max_total_time=20 -rss_limit_mb=2048 "$scratch" "$root/fuzz/corpus/${name#fuzz_}"
  done
else
  failed=$((failed + 1)); echo "fuzz build FAILED"
fi

echo "== Windows program and resources"
. tools/wine/wine_env.sh
if tools/build/build.sh win32; then
  check program-file tests/checks/check_exe.sh build/win32/tolmaro.exe
  # The release, and the same bytes from a build in a second folder.
  check release tests/checks/check_dist.sh
  check clips tests/checks/check_clips.sh
  check about-document python3 tests/checks/check_about.py
  check manifest xmllint --noout resources/tolmaro.manifest
  check sample-instrument python3 tests/checks/check_sample_instrument.py
else
  failed=$((failed + 1)); echo "win32 build FAILED"
fi

echo "== Windows suites under Wine ($TOLMARO_WINE_ARCH)"
if [ "$TOLMARO_WINE_ARCH" = win32 ] || tools/build/build.sh win64; then
  ensure_wine_prefix
  map_test_drives
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c \
    ". tools/wine/wine_env.sh; start_wine_session; cd '$TOLMARO_WIN_BUILD' && ctest --output-on-failure --timeout 120; end_wine_session" 2>&1 \
    | tee "$logs/wine.log" | grep -E 'tests passed|Failed|FAILED|\*\*\*' || true
  count_ctest "$logs/wine.log"
else
  failed=$((failed + 1)); echo "win64 build FAILED"
fi

echo "make test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

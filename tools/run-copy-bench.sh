#!/usr/bin/env bash
# Benchmark of the full copy (command 5403) under Wine against `cp -r` of the
# same tree in the same run: an instrument of 2,000 files of 10 KB to 1 MB
# (about 410 MB) in build/bench-copy/, copied in turn by cp, by the real
# dialog (build/<arch>/copy_bench.exe) and by the walk alone without the
# dialog (for comparison), six times each, each going first in turn; and
# the peak working set of the program for a tree of 200 files and of 2,000.
# Targets: the median copy at most 1.2 times the median cp, and the same
# peak memory for both trees. Exits non-zero when a target is missed.
# The trees are deleted afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. tools/wine-env.sh
work=$root/build/bench-copy
runs=6

winpath() {
  local path=${1//\//\\}
  echo "Z:$path"
}

# copy_bench INSTRUMENT TARGET: prints "copy ms", "status", "boxes", "peak KiB".
copy_bench() {
  rm -rf "$2" && mkdir -p "$2" && sync
  # A Windows program's text output ends its lines in CR LF.
  "$TOLMARO_WINE" "$TOLMARO_WIN_BUILD/copy_bench.exe" "$(winpath "$1/SETUP/setupdata.txt")" "$(winpath "$2")" | tr -d '\r'
}

cp_ms() {
  rm -rf "$2" && sync
  local start end
  start=$(date +%s%N)
  cp -r "$1" "$2"
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

value() {
  sed -n "s/^$1: //p" <<<"$2"
}

# The Status line after a whole copy of a tree.
expected_status() {
  echo " $(find "$1" -type f | wc -l) Dateien in $(($(find "$1" -type d | wc -l) - 1)) Ordnern kopiert"
}

fail() {
  echo "$*" >&2
  exit 1
}

# One copy by the program; checks its Status line and that no box came up.
checked_copy() {
  local out
  out=$(copy_bench "$1" "$work/tolmaro")
  [ "$(value status "$out")" = "$(expected_status "$1")" ] && [ "$(value boxes "$out")" = 0 ] \
    || fail "copy of $1 failed: $out"
  echo "$out"
}

time_cp() {
  cp_times+=("$(cp_ms "$work/big" "$work/cp")")
}

time_dialog() {
  local out
  out=$(checked_copy "$work/big")
  copy_times+=("$(value "copy ms" "$out")")
  big_peaks+=("$(value "peak KiB" "$out")")
}

time_walk() {
  local out
  rm -rf "$work/walk" && mkdir -p "$work/walk" && sync
  out=$("$TOLMARO_WINE" "$TOLMARO_WIN_BUILD/copy_bench.exe" --walk "$(winpath "$work/big")\\" \
        "$(winpath "$work/walk")\\" | tr -d '\r')
  [ "$(value files "$out")" = 2000 ] || fail "the walk alone failed: $out"
  walk_times+=("$(value "walk ms" "$out")")
}

# Runs under Xvfb, inside one Wine session.
measure() {
  start_wine_session
  trap end_wine_session EXIT
  cp_times=() copy_times=() walk_times=() big_peaks=() small_peaks=()
  # The copy must be whole, byte for byte.
  checked_copy "$work/big" >/dev/null
  diff -r "$work/big" "$work/tolmaro" >/dev/null || fail "the copy differs from its source"
  for i in $(seq "$runs"); do
    # Each goes first in turn, so that none always follows the same one.
    case $((i % 3)) in
      0) time_cp; time_dialog; time_walk ;;
      1) time_dialog; time_walk; time_cp ;;
      2) time_walk; time_cp; time_dialog ;;
    esac
    small_peaks+=("$(value "peak KiB" "$(checked_copy "$work/small")")")
  done
  echo "cp ms: ${cp_times[*]}"
  echo "copy ms: ${copy_times[*]}"
  echo "walk ms: ${walk_times[*]}"
  echo "peak KiB 2000 files: ${big_peaks[*]}"
  echo "peak KiB 200 files: ${small_peaks[*]}"
}

if [ "${1:-}" = --measure ]; then
  measure
  exit 0
fi

tools/build.sh win32
[ "$TOLMARO_WINE_ARCH" = win32 ] || tools/build.sh win64
ensure_wine_prefix
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work"' EXIT
python3 tools/make_bench_instrument.py "$work/big" 2000
python3 tools/make_bench_instrument.py "$work/small" 200
echo "tree: $(find "$work/big" -type f | wc -l) files, $(du -sb "$work/big" | cut -f1) bytes"

results=$(xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --measure)
echo "$results"
python3 - "$results" <<'EOF'
import statistics, sys
lines = dict(line.split(": ", 1) for line in sys.argv[1].splitlines() if ": " in line)
numbers = {key: [float(v) for v in value.split()] for key, value in lines.items()}
cp = statistics.median(numbers["cp ms"])
copy = statistics.median(numbers["copy ms"])
big = statistics.median(numbers["peak KiB 2000 files"])
small = statistics.median(numbers["peak KiB 200 files"])
walk = statistics.median(numbers["walk ms"])
ratio = copy / cp
print("for comparison, the walk alone without the dialog: %.0f ms, %.2f times cp -r" % (walk, walk / cp))
checks = [
    ("full copy / cp -r: %.2f (median copy %.0f ms, cp %.0f ms)" % (ratio, copy, cp), ratio <= 1.2),
    # Flat: ten times the files may not add more than noise.
    ("peak memory: %.0f KiB for 200 files, %.0f KiB for 2,000" % (small, big), big <= small + 1024),
]
failed = 0
for text, ok in checks:
    print(("ok     " if ok else "MISSED ") + text)
    failed += not ok
sys.exit(1 if failed else 0)
EOF

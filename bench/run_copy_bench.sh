#!/usr/bin/env bash
# Benchmark of the full copy (command 5403) under Wine: an instrument of 2,000
# files of 10 KB to 1 MB (about 410 MB) in build/bench-copy/, copied in turn
# by the real dialog (build/<arch>/copy_bench.exe), by the walk alone without
# the dialog (for comparison), by Wine's own `xcopy /E /I /Y` and by
# `cp -r --reflink=never`, six times each, each going first in turn; and the
# peak working set of the program for a tree of 200 files and of 2,000.
# Each copy by the dialog goes into an empty folder and is then repeated into
# the same folder, as a pilot's next backup is.
#
# xcopy goes through the same file layer of Wine as any Windows program, so it
# is the practical limit there: target, the median copy at most 1.0 times the
# median xcopy. cp copies inside the Linux kernel, which no Windows program
# can: reported as the physical reference, without a target. The repeat finds
# every file there already: target, the median repeat at most a tenth of the
# median first copy, and not one byte read from the files (the copy counts
# what it reads; the first copy must read the whole tree). Memory: the same
# peak for both trees. Prints one "ok" or "MISSED" line a target and exits
# non-zero when one is missed. The trees are deleted afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. bench/bench_env.sh
work=$root/build/bench-copy
runs=6

# copy_bench INSTRUMENT TARGET: prints "copy ms", "status", "boxes", "bytes
# read", the same for the repeat after "repeat ", and "peak KiB".
copy_bench() {
  rm -rf "$2" && mkdir -p "$2" && sync
  # A Windows program's text output ends its lines in CR LF.
  "$TOLMARO_WINE" "$TOLMARO_WIN_BUILD/copy_bench.exe" "$(winpath "$1/SETUP/setupdata.txt")" "$(winpath "$2")" | tr -d '\r'
}

# elapsed_ms COMMAND...: runs it and prints its wall time in milliseconds.
elapsed_ms() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

cp_ms() {
  rm -rf "$2" && sync
  elapsed_ms cp -r --reflink=never "$1" "$2"
}

# Wine's xcopy, started as a Windows program like copy_bench; the start and
# end of a Wine process are measured apart (see time_xcopy).
xcopy_ms() {
  rm -rf "$2" && sync
  elapsed_ms "$TOLMARO_WINE" xcopy /E /I /Y "$(winpath "$1")" "$(winpath "$2")"
}

# The Status line after a whole copy of a tree.
expected_status() {
  echo " $(find "$1" -type f | wc -l) Dateien in $(($(find "$1" -type d | wc -l) - 1)) Ordnern kopiert"
}

fail() {
  echo "$*" >&2
  exit 1
}

# One copy by the program and its repeat; checks that both show the Status
# line of the whole tree and that no box came up.
checked_copy() {
  local out status
  out=$(copy_bench "$1" "$work/tolmaro")
  status=$(expected_status "$1")
  [ "$(value status "$out")" = "$status" ] && [ "$(value boxes "$out")" = 0 ] \
    && [ "$(value "repeat status" "$out")" = "$status" ] && [ "$(value "repeat boxes" "$out")" = 0 ] \
    || fail "copy of $1 failed: $out"
  echo "$out"
}

time_cp() {
  cp_times+=("$(cp_ms "$work/big" "$work/cp")")
}

# copy_bench times the copy inside its process; xcopy is timed from outside,
# so the time of an xcopy of an empty folder (starting and ending a Wine
# process) is taken off.
time_xcopy() {
  local whole empty
  whole=$(xcopy_ms "$work/big" "$work/xcopy")
  [ "$(find "$work/xcopy" -type f | wc -l)" = 2000 ] || fail "xcopy did not copy the tree"
  empty=$(xcopy_ms "$work/empty" "$work/xcopy")
  xcopy_times+=("$((whole - empty))")
  xcopy_starts+=("$empty")
}

time_dialog() {
  local out
  out=$(checked_copy "$work/big")
  copy_times+=("$(value "copy ms" "$out")")
  repeat_times+=("$(value "repeat copy ms" "$out")")
  copy_bytes+=("$(value "bytes read" "$out")")
  repeat_bytes+=("$(value "repeat bytes read" "$out")")
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
  cp_times=() xcopy_times=() xcopy_starts=() copy_times=() walk_times=() big_peaks=() small_peaks=()
  repeat_times=() copy_bytes=() repeat_bytes=()
  mkdir -p "$work/empty"
  # The copy must be whole, byte for byte.
  checked_copy "$work/big" >/dev/null
  diff -r "$work/big" "$work/tolmaro" >/dev/null || fail "the copy differs from its source"
  local order=(time_dialog time_walk time_xcopy time_cp)
  for i in $(seq "$runs"); do
    # Each goes first in turn, so that none always follows the same one.
    for j in "${!order[@]}"; do
      "${order[(i + j) % ${#order[@]}]}"
    done
    small_peaks+=("$(value "peak KiB" "$(checked_copy "$work/small")")")
  done
  echo "cp ms: ${cp_times[*]}"
  echo "xcopy ms: ${xcopy_times[*]}"
  echo "xcopy start and end ms: ${xcopy_starts[*]}"
  echo "copy ms: ${copy_times[*]}"
  echo "walk ms: ${walk_times[*]}"
  echo "repeat ms: ${repeat_times[*]}"
  echo "tree bytes: $(find "$work/big" -type f -printf '%s\n' | awk '{ n += $1 } END { print n }')"
  echo "copy bytes read: ${copy_bytes[*]}"
  echo "repeat bytes read: ${repeat_bytes[*]}"
  echo "peak KiB 2000 files: ${big_peaks[*]}"
  echo "peak KiB 200 files: ${small_peaks[*]}"
}

measure_if_asked "$@"
prepare_bench
python3 tools/samples/make_bench_instrument.py "$work/big" 2000
python3 tools/samples/make_bench_instrument.py "$work/small" 200
echo "tree: $(find "$work/big" -type f | wc -l) files, $(du -sb "$work/big" | cut -f1) bytes"

results=$(run_measure)
echo "$results"
PYTHONPATH=bench python3 - "$results" <<'EOF'
import statistics, sys
from bench_report import report
lines = dict(line.split(": ", 1) for line in sys.argv[1].splitlines() if ": " in line)
numbers = {key: [float(v) for v in value.split()] for key, value in lines.items()}
median = {key: statistics.median(value) for key, value in numbers.items()}
cp, xcopy = median["cp ms"], median["xcopy ms"]
copy, walk, repeat = median["copy ms"], median["walk ms"], median["repeat ms"]
tree = numbers["tree bytes"][0]
small, big = median["peak KiB 200 files"], median["peak KiB 2000 files"]
print("xcopy's times without the %.0f ms of starting and ending it" % median["xcopy start and end ms"])
print("the physical reference, cp -r --reflink=never: %.0f ms; the copy is %.2f times that" % (cp, copy / cp))
print("for comparison, the walk alone without the dialog: %.0f ms, %.2f times xcopy" % (walk, walk / xcopy))
checks = [
    ("full copy / Wine's xcopy: %.2f (median copy %.0f ms, xcopy %.0f ms)" % (copy / xcopy, copy, xcopy),
     copy <= 1.0 * xcopy),
    ("repeat backup / first copy: %.3f (median repeat %.0f ms, first copy %.0f ms)" % (repeat / copy, repeat, copy),
     repeat <= 0.1 * copy),
    ("repeat backup reads no file's bytes: at most %.0f bytes (the first copy %.0f to %.0f of the tree's %.0f)"
     % (max(numbers["repeat bytes read"]), min(numbers["copy bytes read"]), max(numbers["copy bytes read"]), tree),
     max(numbers["repeat bytes read"]) == 0 and set(numbers["copy bytes read"]) == {tree}),
    # Flat: ten times the files may not add more than noise.
    ("peak memory: %.0f KiB for 200 files, %.0f KiB for 2,000" % (small, big), big <= small + 1024),
]
report(checks)
EOF

#!/usr/bin/env bash
# Benchmark of the flight book on 1,000 flight logs of three hours at one
# fix a second (about 400 MB) in build/bench-book/, and on 100 of them.
# Natively: the bytes the reader takes through the stream layer, at most a
# twentieth of the logs' bytes, and its time, at most 1.25 times the floor of
# any reader of both ends of each log (open, 1 KiB at each end, close), with
# the ratio to a plain full read of the same files beside it, without a
# target (medians of five runs in turn). Under Wine: the real dialog's build
# of the list (command 3007), its time reported without a target, and its
# peak working set the same for 100 and 1,000 logs. Exits non-zero when a
# target is missed.
# The trees are deleted afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. bench/bench_env.sh
work=$root/build/bench-book
runs=3

# The Status line, the time and the peak memory of a build of the list.
book_run() {
  dialog_bench --book "$1"
}

# Runs under Xvfb, inside one Wine session.
measure() {
  local out
  for i in $(seq "$runs"); do
    for size in big small; do
      out=$(book_run "$work/$size")
      echo "$size status: $(value status "$out")"
      echo "$size book ms: $(value "book ms" "$out")"
      echo "$size peak KiB: $(value "peak KiB" "$out")"
    done
  done
}

measure_if_asked "$@"
tools/build/build.sh bench
prepare_bench
python3 tools/samples/make_bench_flights.py "$work/big" 1000
# The first 100 logs: five months of 20.
mkdir -p "$work/small/FLIGHTS/2019"
cp -r "$work/big/SETUP" "$work/small/"
for month in 01 02 03 04 05; do cp -r "$work/big/FLIGHTS/2019/$month" "$work/small/FLIGHTS/2019/"; done
echo "logs: $(find "$work/big/FLIGHTS" -type f | wc -l) files, $(du -sb "$work/big/FLIGHTS" | cut -f1) bytes"

native=$(build/bench/flightbook_bench "$work/big/FLIGHTS")
echo "$native"
wine=$(run_measure)
echo "$wine"
PYTHONPATH=bench python3 - "$native" "$wine" <<'PY'
import statistics, sys
from bench_report import report
def table(text):
    values = {}
    for line in text.splitlines():
        key, _, value = line.partition(": ")
        values.setdefault(key, []).append(value)
    return values
native, wine = table(sys.argv[1]), table(sys.argv[2])
number = lambda values, key: float(values[key][0])
plain, book = number(native, "plain ms"), number(native, "book ms")
total, read = number(native, "plain bytes"), number(native, "book bytes")
median = lambda key: statistics.median(float(v) for v in wine[key])
small, big = median("small peak KiB"), median("big peak KiB")
status = set(wine["big status"]) | set(wine["small status"])
ends = number(native, "ends ms")
print("natively, a plain full read of the logs: %.1f ms (processor time %s ms); the book takes %.3f of it,"
      " the floor %.3f (no target)" % (plain, native["plain cpu ms"][0], book / plain, ends / plain))
print("under Wine, the list of 1,000 logs built by the dialog in %.0f ms, of 100 in %.0f ms (no target)"
      % (median("big book ms"), median("small book ms")))
checks = [
    ("rows: %s logs, %s airtime minutes (1,000 flights of 2:59)" % (native["logs"][0], native["airtime minutes"][0]),
     native["logs"][0] == "1000" and native["airtime minutes"][0] == "179000"),
    ("Status lines under Wine: %s" % " / ".join(sorted(status)),
     status == {" 1000 Fl\u00fcge, 2983:20 h Flugzeit", " 100 Fl\u00fcge, 298:20 h Flugzeit"}),
    ("bytes read: %.0f of %.0f, %.4f of the logs" % (read, total, read / total), read <= total / 20),
    ("native time: book %.1f ms, %.2f times the floor of opening each log, reading 1 KiB at each end and"
     " closing it (%.1f ms); processor time of the book %s ms" % (book, book / ends, ends, native["book cpu ms"][0]),
     book <= 1.25 * ends),
    # Flat: ten times the logs may not add more than the rows' own noise.
    ("peak memory under Wine: %.0f KiB for 100 logs, %.0f KiB for 1,000" % (small, big), big <= small + 1024),
]
report(checks)
PY

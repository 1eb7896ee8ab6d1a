#!/usr/bin/env bash
# Benchmark of the flight view. Natively: a 12-hour flight log at one fix a
# second (43,200 fixes) read and measured at no less than 2 million fixes a
# second, with the plain read of the same file beside it (medians of nine
# runs in turn), and the peak memory of reading the 1-hour and the 12-hour
# log (medians of five), which must be the same. Under Wine: the time from a double-click on
# the flight book's row to the drawn page, for each log, without a target.
# Exits non-zero when a target is missed; the logs are deleted afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
. bench/bench_env.sh
work=$root/build/bench-flight
runs=3

# Under Xvfb, inside one Wine session: each log alone on an instrument.
measure() {
  local out
  for i in $(seq "$runs"); do
    for hours in 1h 12h; do
      out=$(dialog_bench --flight "$work/$hours")
      echo "$hours flight ms: $(value "flight ms" "$out")"
      echo "$hours status: $(value status "$out")"
    done
  done
}

measure_if_asked "$@"
tools/build/build.sh bench
prepare_bench
native=$(build/bench/flighttrace_bench "$work")
echo "$native"
for hours in 1h 12h; do
  mkdir -p "$work/$hours/SETUP" "$work/$hours/FLIGHTS/2026/06"
  cp samples/instrument/SETUP/setupdata.txt "$work/$hours/SETUP/"
  cp "$work/$hours.igc" "$work/$hours/FLIGHTS/2026/06/2026-06-20-ZIR-0001-01.igc"
  for i in 1 2 3 4 5; do
    echo "$hours peak KiB: $(value "peak KiB" "$(build/bench/flighttrace_bench --rss "$work/$hours.igc")")"
  done
done | tee "$work/rss.txt"
rss=$(cat "$work/rss.txt")
wine=$(run_measure)
echo "$wine"
PYTHONPATH=bench python3 - "$native" "$rss" "$wine" <<'PY'
import statistics, sys
from bench_report import report
def table(text):
    values = {}
    for line in text.splitlines():
        key, _, value = line.partition(": ")
        values.setdefault(key, []).append(value)
    return values
native, rss, wine = (table(text) for text in sys.argv[1:4])
number = lambda values, key: float(values[key][0])
rate, trace, plain = number(native, "fixes per s"), number(native, "trace ms"), number(native, "plain ms")
median = lambda key, values=wine: statistics.median(float(v) for v in values[key])
small, big = median("1h peak KiB", rss), median("12h peak KiB", rss)
print("under Wine, double-click to the drawn page: %.0f ms for 1 hour (3,600 fixes), %.0f ms for 12 hours (no target);"
      " Status lines: %s" % (median("1h flight ms"), median("12h flight ms"), " / ".join(sorted(set(wine["12h status"])))))
checks = [
    ("fixes read: %s of 43200" % native["fixes"][0], native["fixes"][0] == "43200"),
    ("12-hour log read and measured at %.0f fixes/s (%.2f ms; the plain read of the same file %.2f ms, %.1f times faster)"
     % (rate, trace, plain, trace / plain), rate >= 2e6),
    # The same: twelve times the log (1.5 MB more) may add no more than the
    # noise of a process's peak, as for the waypoint store.
    ("peak memory (medians of five): %.0f KiB for 1 hour, %.0f KiB for 12 hours" % (small, big), big <= small + 256),
]
report(checks)
PY

#!/usr/bin/env bash
# Builds and runs the benchmarks, one step each, and ends with one line: every
# target met (exit 0), or each missed target named (exit 1). A step prints one
# "ok" or "MISSED" line a target and exits non-zero when it misses one; a step
# that stops otherwise counts as missed too. Another benchmark is one more
# function below and its name in steps.
#
# waypoints: a store of 1,000,000 records (52 MB) in a temporary folder, its
# plain read, the count by kind, the two in pairs and the export in each
# format (CompeGPS, GPX, CUP), then the peak memory for 10,000 and 1,000,000
# records. Targets: counting within 1.3 times the plain read (timed in pairs,
# so that a busy machine slows both alike), export in every format at least
# 1,000,000 points per second, the same peak memory for both store sizes.
# copy: the full copy under Wine against Wine's xcopy, with cp -r beside it
# (bench/run_copy_bench.sh).
# flightbook: the flight book on 1,000 long logs, natively and under Wine
# (bench/run_flightbook_bench.sh).
# flightview: a 12-hour flight log read and measured natively, its memory
# against a 1-hour log's, and the flight view under Wine
# (bench/run_flightview_bench.sh).
# import_waypoints: reading and mapping a GPX file of 10,000 points as the page of
# waypoints onto the instrument does, natively, beside a plain read of the
# file; then the peak memory for that file, for one of the same points with
# 10 KB of extensions each (100 MB), and for one of 100,000 points.
# Targets: at most 50 ms of processor time; the large file no more memory than the small one;
# less than 1 KiB more a point kept.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
steps=(waypoints copy flightbook flightview import_waypoints)

waypoints() {
  set -e
  tools/build/build.sh bench
  bench=build/bench/waypoints_bench
  result=build/bench/waypoints_bench.json

  # Repetitions in random order, so that a slow moment of the machine does not
  # fall on one benchmark alone; the medians are compared.
  "$bench" --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true \
    --benchmark_report_aggregates_only=true --benchmark_out="$result" --benchmark_out_format=json

  small=$("$bench" --rss 10000)
  large=$("$bench" --rss 1000000)
  echo "$small"
  echo "$large"

  PYTHONPATH=bench python3 - "$result" "$small" "$large" <<'EOF'
import json, re, sys
from bench_report import report
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
plain = runs["PlainRead"]["real_time"]
count = runs["CountKinds"]["real_time"]
ratio = runs["CountAgainstPlainRead"]["ratio"]
points = [runs["Export/%d" % f]["items_per_second"] for f in range(3)]
kib = [int(re.search(r"(\d+) KiB", line).group(1)) for line in sys.argv[2:4]]
checks = [
    ("count / plain read, in pairs: %.2f (apart: plain %.1f ms, count %.1f ms, %.2f)"
     % (ratio, plain, count, count / plain), ratio <= 1.3),
] + [("export %s: %.0f points/s" % (name, rate), rate >= 1e6)
       for name, rate in zip(("CompeGPS", "GPX", "CUP"), points)] + [
    # Flat: the larger store may not add more than a few pages of noise.
    ("peak memory: %d KiB for 10,000 records, %d KiB for 1,000,000" % tuple(kib), kib[1] <= kib[0] + 256),
]
report(checks)
EOF
}

copy() {
  bench/run_copy_bench.sh
}

flightbook() {
  bench/run_flightbook_bench.sh
}

flightview() {
  bench/run_flightview_bench.sh
}

import_waypoints() {
  set -e
  tools/build/build.sh bench
  folder=build/bench/import
  mkdir -p "$folder"
  python3 tools/samples/make_bench_waypoints.py "$folder"
  bench=build/bench/import_bench
  "$bench" "$folder/points-10000.gpx" | tee "$folder/times.txt"
  small=$("$bench" --rss "$folder/points-10000.gpx")
  padded=$("$bench" --rss "$folder/points-10000-padded.gpx")
  many=$("$bench" --rss "$folder/points-100000.gpx")
  printf '%s\n' "$small" "$padded" "$many"
  PYTHONPATH=bench python3 - "$folder/times.txt" "$small" "$padded" "$many" <<'EOF'
import re, sys
from bench_report import report
times = dict(re.findall(r"^(.*?): ([0-9.]+)$", open(sys.argv[1]).read(), re.M))
mapped, cpu, plain = (float(times[k]) for k in ("read and map ms", "read and map cpu ms", "plain read ms"))
kib = [int(re.search(r"(\d+) KiB", line).group(1)) for line in sys.argv[2:5]]
per_point = (kib[2] - kib[0]) * 1024 / 90000
checks = [
    # The processor's time: on a busy machine the wall's includes waiting.
    ("10,000 GPX points read and mapped in %.1f ms of processor time, %.1f ms on the wall "
     "(a plain read of the file: %.2f ms)" % (cpu, mapped, plain), cpu <= 50),
    ("peak memory: %d KiB for 1 MB of 10,000 points, %d KiB for 100 MB of them" % (kib[0], kib[1]),
     kib[1] <= kib[0] + 256),
    ("%.0f bytes more a point kept (%d KiB for 100,000 points)" % (per_point, kib[2]), per_point < 1024),
]
report(checks)
EOF
}

mkdir -p build/bench
missed=()
for step in "${steps[@]}"; do
  echo "== $step"
  out=build/bench/$step.log
  # In a subshell, so that a step that stops stops only itself.
  ( "$step" ) 2>&1 | tee "$out"
  status=${PIPESTATUS[0]}
  mapfile -t lines < <(sed -n "s/^MISSED /$step: /p" "$out")
  if [ "$status" -ne 0 ] && [ "${#lines[@]}" -eq 0 ]; then
    lines=("$step: stopped with status $status")
  fi
  missed+=("${lines[@]}")
done
if [ "${#missed[@]}" -eq 0 ]; then
  echo "make bench: every target met"
  exit 0
fi
echo "make bench: ${#missed[@]} missed:"
printf '  %s\n' "${missed[@]}"
exit 1

#!/usr/bin/env bash
# Builds and runs the benchmarks. The waypoint store: a store of 1,000,000
# records (52 MB) in a temporary folder, its plain read, the count by kind,
# the two in pairs and the export, then the peak memory for 10,000 and
# 1,000,000 records. Targets: counting within 1.3 times the plain read (timed
# in pairs, so that a busy machine slows both alike), export at least
# 1,000,000 points per second, the same peak memory for both store sizes.
# Then the full copy under Wine against cp -r (tools/run-copy-bench.sh), and
# the flight book on 1,000 long logs (tools/run-flightbook-bench.sh).
# Exits non-zero when a target is missed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
tools/build.sh bench
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

missed=0
python3 - "$result" "$small" "$large" <<'EOF' || missed=1
import json, re, sys
runs = {b["run_name"]: b for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
plain = runs["PlainRead"]["real_time"]
count = runs["CountKinds"]["real_time"]
ratio = runs["CountAgainstPlainRead"]["ratio"]
points = runs["Export"]["items_per_second"]
kib = [int(re.search(r"(\d+) KiB", line).group(1)) for line in sys.argv[2:4]]
checks = [
    ("count / plain read, in pairs: %.2f (apart: plain %.1f ms, count %.1f ms, %.2f)"
     % (ratio, plain, count, count / plain), ratio <= 1.3),
    ("export: %.0f points/s" % points, points >= 1e6),
    # Flat: the larger store may not add more than a few pages of noise.
    ("peak memory: %d KiB for 10,000 records, %d KiB for 1,000,000" % tuple(kib), kib[1] <= kib[0] + 256),
]
failed = 0
for text, ok in checks:
    print(("ok     " if ok else "MISSED ") + text)
    failed += not ok
sys.exit(1 if failed else 0)
EOF

tools/run-copy-bench.sh || missed=1
tools/run-flightbook-bench.sh || missed=1
exit "$missed"

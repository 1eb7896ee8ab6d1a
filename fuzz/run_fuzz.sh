#!/usr/bin/env bash
# Runs every fuzz target for the given number of seconds each.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
for target in "$root"/build/fuzz/fuzz_*; do
  name=$(basename "$target")
  scratch=$root/build/fuzz/corpus-${name#fuzz_}
  mkdir -p "$scratch"
  echo "== $name for ${seconds}s"
  "$target" -max_total_time="$seconds" -rss_limit_mb=2048 "$scratch" "$root/fuzz/corpus/${name#fuzz_}" 2>&1 | tail -n 3
done

#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build over its seed corpus for a bounded time.
# New inputs go to a scratch folder; the committed corpus is only read.
set -euo pipefail
build=$1; seconds=${2:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
status=0
for bin in "$build"/bin/fuzz_*; do
  [[ -x "$bin" ]] || continue
  name=${bin##*/fuzz_}
  corpus=$(find "$root/fuzz" -type d -path "*/$name/corpus" | head -n 1)
  [[ -n "$corpus" ]] || { echo "fuzz: no corpus for $name"; status=1; continue; }
  scratch="$build/fuzz-work/$name"; mkdir -p "$scratch"
  echo "fuzz: $name for ${seconds}s"
  "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$scratch/" \
    "$scratch" "$corpus" || status=1
done
exit $status

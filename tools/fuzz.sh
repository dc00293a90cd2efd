#!/bin/bash
# Builds the fuzz preset and runs every libFuzzer target for a bounded time,
# starting from its seed corpus in tests/fuzz/corpus/TARGET. New inputs are
# kept in build/fuzz/corpus, findings go to build/fuzz/findings; any finding
# (crash, failed check, leak, sanitizer report, hang) fails the run.
#   bash tools/fuzz.sh                      # 30 s per target, as in CI
#   FUZZ_SECONDS=3600 bash tools/fuzz.sh    # a longer run
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-30}"

cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || exit 1

status=0
for seeds in tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  corpus=build/fuzz/corpus/$target
  findings=build/fuzz/findings/$target/
  log=build/fuzz/$target.log
  mkdir -p "$corpus" "$findings"
  if build/fuzz/bin/"$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
       -artifact_prefix="$findings" "$corpus" "$seeds" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "$target: $runs executions in $seconds s, no finding"
  else
    tail -n 40 "$log"
    echo "$target: FINDING, see $log and $findings"
    status=1
  fi
done
exit $status

#!/bin/bash
# Measures the output call: Google Benchmark times side by side, then
# instructions per call counted by callgrind (stable on a busy machine).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target action_benchmark instruction_counts >/dev/null

build/native/bench/action_benchmark --benchmark_repetitions=3 --benchmark_report_aggregates_only=true

out=$(mktemp)
valgrind --tool=callgrind --callgrind-out-file="$out" \
  --toggle-collect=RunAction --toggle-collect=RunAverage --toggle-collect=RunReference \
  build/native/bench/instruction_counts >/dev/null 2>&1
echo
echo "instructions per call (callgrind, 1000 calls each):"
callgrind_annotate --inclusive=yes "$out" 2>/dev/null |
  sed -nE 's/^ *([0-9,]+) .*instruction_counts.cpp:Run(Action|Average|Reference) .*/\2 \1/p' |
  tr -d , | awk '{ printf "  %-10s %8.0f\n", $1, $2 / 1000 }'
rm -f "$out"

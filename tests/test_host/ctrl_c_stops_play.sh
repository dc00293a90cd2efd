#!/bin/bash
# Ctrl+C while play runs: the test host sends nothing more, calls finish
# (the virtual board records the board closed) and exits with status 130.
# Usage: ctrl_c_stops_play.sh WINE_RUN PREFIX BIN_FOLDER
set -u
wine_run=$1 prefix=$2 bin=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for ms in $(seq 0 100 60000); do echo "$ms,1,$((ms / 100 % 2))"; done >"$work/minute.csv"
export VIRTUAL_K8055_TRACE="Z:$work/trace.txt"
"$wine_run" "$prefix" "$bin/tarnwell_host.exe" --vendor-dir "Z:$bin/boards/full" play "Z:$work/minute.csv" \
  >"$work/out" 2>"$work/err" &
host=$!
for _ in $(seq 200); do
  [ "$(wc -l <"$work/trace.txt" 2>/dev/null || echo 0)" -ge 6 ] && break
  sleep 0.1
done
kill -INT $host
wait $host
status=$?

fail() { echo "FAIL: $*"; cat "$work/out" "$work/err"; exit 1; }
[ $status -eq 130 ] || fail "exit status $status, not 130"
grep -q "^stopped by Ctrl+C after [0-9]* of 601 rows" "$work/out" || fail "no stop report"
[ "$(tail -n 2 "$work/trace.txt" | tr -d '\r' | paste -sd,)" = "SetCurrentDevice 0,CloseDevice" ] ||
  fail "finish did not close the board: $(tail -n 2 "$work/trace.txt")"
echo "stopped cleanly after $(grep -c Digital "$work/trace.txt") rows"

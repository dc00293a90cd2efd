#!/bin/bash
# Ctrl+C while play or try runs: the test host sends nothing more, calls
# finish (the virtual board records the board closed) and exits with status
# 130, having said how far it came (play) or printed the settings text (try).
# Usage: ctrl_c_stops.sh play|try WINE_RUN PREFIX BIN_FOLDER
set -u
command=$1 wine_run=$2 prefix=$3 bin=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

case $command in
  play)
    for ms in $(seq 0 100 60000); do echo "$ms,1,$((ms / 100 % 2))"; done >"$work/minute.csv"
    args=(play "Z:$work/minute.csv")
    report="^stopped by Ctrl+C after [0-9]* of 601 rows" ;;
  try)
    args=(try --settings 1 --rate 10)
    report="^settings text:" ;;
esac
export VIRTUAL_K8055_TRACE="Z:$work/trace.txt"
"$wine_run" "$prefix" "$bin/tarnwell_host.exe" --vendor-dir "Z:$bin/boards/full" "${args[@]}" \
  >"$work/out" 2>"$work/err" &
host=$!
for _ in $(seq 200); do
  [ "$(wc -l <"$work/trace.txt" 2>/dev/null || echo 0)" -ge 8 ] && break
  sleep 0.1
done
kill -INT $host
wait $host
status=$?

fail() { echo "FAIL: $*"; cat "$work/out" "$work/err"; exit 1; }
[ $status -eq 130 ] || fail "exit status $status, not 130"
tr -d '\r' <"$work/out" | grep -q "$report" || fail "no \"$report\" in the output"
# Each line: time, call, arguments, the answer (" = N"), the writing process (" @PID").
[ "$(tail -n 2 "$work/trace.txt" | tr -d '\r' | sed 's/ @[0-9]*$//; s/ = -\{0,1\}[0-9]*$//' | cut -d' ' -f2- |
    paste -sd,)" = \
  "SetCurrentDevice 0,CloseDevice" ] ||
  fail "finish did not close the board: $(tail -n 2 "$work/trace.txt")"
echo "$command stopped cleanly after $(grep -c Channel "$work/trace.txt") channel commands"

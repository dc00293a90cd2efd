#!/bin/bash
# Without a display no window can be made: cards and panel say so, with the
# hint that only wine gets, and end with a status of their own (4), not the
# one of an unusable module (1).
# Usage: no_display.sh WINE_RUN PREFIX BIN_FOLDER
set -u
wine_run=$1 prefix=$2 bin=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
for command in cards panel; do
  # Through a file: wine's background processes keep a pipe open after the
  # program has ended.
  env -u DISPLAY "$wine_run" "$prefix" "$bin/tarnwell_host.exe" --vendor-dir "Z:$bin/boards/full" $command \
    2>"$work/err" >/dev/null
  status=$?
  err=$(cat "$work/err")
  if [ $status -ne 4 ] || [[ "$err" != *"cannot create a window"*"use xvfb-run"* ]]; then
    echo "FAIL: $command without a display: status $status, $err"
    fail=1
  fi
done
exit $fail

#!/bin/bash
# Takes a picture of one window of the test host under a virtual X display:
# runs tarnwell_host ARGS against the virtual board (the cards in
# VIRTUAL_K8055_BOARDS answering) at the display scaling DPI (default 96,
# see tools/wine-set-dpi), waits for the window titled TITLE and writes it to
# FILE. The screenshots' wine prefix is build/win32/wineprefix-dpi, the one
# the layout tests use: do not run both at once.
#   [DPI=144] bash tools/screenshot-window.sh FILE TITLE ARGS...
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target tarnwell_host virtual_boards

mkdir -p "$(dirname "$1")"
export FILE=$1 TITLE=$2 PREFIX="$PWD/build/win32/wineprefix-dpi" BIN="$PWD/build/win32/bin"
shift 2
tools/wine-set-dpi "$PREFIX" "${DPI:-96}"
tools/wine-run "$PREFIX" wineserver -k 2>/dev/null || true  # its display was another
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  tools/wine-run "$PREFIX" "$BIN/tarnwell_host.exe" --vendor-dir "Z:$BIN/boards/full" "$@" >/dev/null &
  host=$!
  id=""
  for _ in $(seq 1 120); do
    id=$(xwininfo -root -tree | awk -v title="\"$TITLE\"" "index(\$0, title) { print \$1; exit }")
    [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "the window \"$TITLE\" did not appear" >&2; kill $host; exit 1; }
  sleep 2  # painted
  import -window "$id" "$FILE"
  kill $host
  tools/wine-run "$PREFIX" wineserver -k' screenshot "$@"
echo "$FILE written"

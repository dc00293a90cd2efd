#!/bin/bash
# Takes docs/panel.png: the settings panel embedded in the test host's window
# (tarnwell_host panel), under a virtual X display, with the virtual board's
# cards 0 and 2 answering and card 1 chosen.
#   bash tools/screenshot-panel.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target tarnwell_host

mkdir -p docs
export VIRTUAL_K8055_BOARDS=0,2 PREFIX="$PWD/build/win32/wineprefix" BIN="$PWD/build/win32/bin"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  tools/wine-run "$PREFIX" "$BIN/tarnwell_host.exe" --vendor-dir "Z:$BIN/boards/full" panel --settings 1 >/dev/null &
  host=$!
  id=""
  for _ in $(seq 1 120); do
    id=$(xwininfo -root -tree | awk "/\"tarnwell_host: settings panel\"/ { print \$1; exit }")
    [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "the host window did not appear" >&2; kill $host; exit 1; }
  sleep 2  # painted
  import -window "$id" docs/panel.png
  kill $host
  WINEPREFIX="$PREFIX" wineserver -w'
echo "docs/panel.png written"

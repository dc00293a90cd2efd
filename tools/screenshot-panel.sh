#!/bin/bash
# Takes docs/panel.png: the settings panel embedded in a host window, under a
# virtual X display, with the virtual board's cards 0 and 2 answering.
#   bash tools/screenshot-panel.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null && cmake --build --preset win32 --target panel_screenshot_host

mkdir -p docs
stop=$(mktemp -u)
export VIRTUAL_K8055_BOARDS=0,2 STOP_FILE="$stop" PREFIX="$PWD/build/win32/wineprefix"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  tools/wine-run "$PREFIX" build/win32/bin/panel_screenshot_host.exe "Z:$STOP_FILE" &
  host=$!
  id=""
  for _ in $(seq 1 120); do
    id=$(xwininfo -root -tree | awk "/\"out_tarnwell panel\"/ { print \$1; exit }")
    [ -n "$id" ] && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "the host window did not appear" >&2; kill $host; exit 1; }
  sleep 2
  import -window "$id" docs/panel.png
  touch "$STOP_FILE"
  wait $host'
rm -f "$stop"
echo "docs/panel.png written"

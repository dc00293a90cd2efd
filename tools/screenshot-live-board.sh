#!/bin/bash
# Regenerates docs/live-board.png: the virtual board's live windows for two
# boards while the test host plays examples/two_boards.csv, taken in a wine
# virtual desktop on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
size=660x180
if [ -z "${LIVE_BOARD_SCREENSHOT:-}" ]; then
  tools/install-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 >/dev/null
  LIVE_BOARD_SCREENSHOT=1 exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0"
fi

bin="$PWD/build/win32/bin"
export WINEPREFIX="$PWD/build/win32/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export VIRTUAL_K8055_WINDOW=1 VIRTUAL_K8055_BOARDS=0,1
wine explorer /desktop=live-board,$size "$bin/tarnwell_host.exe" --vendor-dir "$bin/boards/full" \
  play examples/two_boards.csv >/dev/null &
host=$!
sleep 5  # the desktop and both windows are up; the file holds its pattern for 8 s
mkdir -p docs
# The desktop around the windows (they sit at its bottom right) is cut off.
import -window root -crop "$size+0+0" +repage -trim +repage docs/live-board.png
wait $host
wineserver -w
echo "docs/live-board.png written"

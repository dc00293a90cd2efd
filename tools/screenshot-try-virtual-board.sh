#!/bin/bash
# Takes docs/try-virtual-board.png: a whole 1024x768 screen (a wine virtual
# desktop on a virtual X display) with the test host's try window and the
# virtual board's windows for boards 0 and 1, as a user sees them who starts
# try with the virtual board (VIRTUAL_K8055_WINDOW=1, VIRTUAL_K8055_BOARDS=0,1).
#   bash tools/screenshot-try-virtual-board.sh
set -euo pipefail
cd "$(dirname "$0")/.."
size=1024x768
if [ -z "${TRY_VIRTUAL_BOARD_SCREENSHOT:-}" ]; then
  tools/install-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target tarnwell_host virtual_boards >/dev/null
  tools/wine-set-dpi "$PWD/build/win32/wineprefix-dpi" 96
  WINEPREFIX="$PWD/build/win32/wineprefix-dpi" wineserver -k 2>/dev/null || true  # its display was another
  TRY_VIRTUAL_BOARD_SCREENSHOT=1 exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0"
fi

bin="$PWD/build/win32/bin"
export WINEPREFIX="$PWD/build/win32/wineprefix-dpi" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export VIRTUAL_K8055_WINDOW=1 VIRTUAL_K8055_BOARDS=0,1
wine explorer /desktop=try-virtual-board,$size "$bin/tarnwell_host.exe" --vendor-dir "$bin/boards/full" \
  try --settings 1 >/dev/null &
host=$!
sleep 8  # the desktop, the try window and both board windows are up and painted
mkdir -p docs
import -window root -crop "$size+0+0" +repage docs/try-virtual-board.png
kill $host
wineserver -k
echo "docs/try-virtual-board.png written"

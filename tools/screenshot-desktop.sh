#!/bin/bash
# Takes a picture of a whole screen of WIDTHxHEIGHT: a wine virtual desktop
# on a virtual X display, in which tarnwell_host ARGS runs against the
# virtual board (VIRTUAL_K8055_* as set by the caller), at the display
# scaling DPI (default 96, see tools/wine-set-dpi). The picture is taken
# SECONDS after the start and written to FILE; with TRIM=1 the empty desktop
# around the windows is cut off. The wine prefix is build/win32/wineprefix-dpi,
# the one the layout tests use: do not run both at once.
#   [DPI=144] [TRIM=1] bash tools/screenshot-desktop.sh FILE WIDTHxHEIGHT SECONDS ARGS...
set -euo pipefail
cd "$(dirname "$0")/.."
file=$1 size=$2 seconds=$3
shift 3
if [ -z "${SCREENSHOT_DESKTOP:-}" ]; then
  tools/install-deps.sh
  cmake --preset win32 >/dev/null
  cmake --build --preset win32 --target tarnwell_host virtual_boards >/dev/null
  tools/wine-set-dpi "$PWD/build/win32/wineprefix-dpi" "${DPI:-96}"
  tools/wine-run "$PWD/build/win32/wineprefix-dpi" wineserver -k 2>/dev/null || true  # its display was another
  SCREENSHOT_DESKTOP=1 exec xvfb-run -a -s "-screen 0 ${size}x24" bash "$0" "$file" "$size" "$seconds" "$@"
fi

bin="$PWD/build/win32/bin"
prefix="$PWD/build/win32/wineprefix-dpi"
tools/wine-run "$prefix" explorer /desktop=screenshot,$size "$bin/tarnwell_host.exe" --vendor-dir "$bin/boards/full" "$@" >/dev/null &
host=$!
sleep "$seconds"
mkdir -p "$(dirname "$file")"
trim=()
[ "${TRIM:-0}" = 1 ] && trim=(-trim +repage)
import -window root -crop "$size+0+0" +repage "${trim[@]}" "$file"
kill $host 2>/dev/null || true
tools/wine-run "$prefix" wineserver -k
echo "$file written"

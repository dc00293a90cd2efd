#!/bin/bash
# Builds everything and tries the module as a new user would, without
# hardware: the test host under wine against the virtual board shows what
# the module reports, then plays a running light and two ramps through it,
# while the board's state is printed as it changes (and, on a desktop, shown
# in the virtual board's live window). On a machine that runs no 32-bit x86
# code at all, no wine can run the programs: it builds them, says so and
# exits 77.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
# Wine needs an X display for windows; without one, a virtual one.
if [ -z "${DISPLAY:-}" ]; then DEMO_VIRTUAL_DISPLAY=1 exec xvfb-run -a bash "$0" "$@"; fi
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null
bin="$PWD/build/win32/bin"

# The first wine that can run the programs here (tools/pick-wines).
picked=0
TARNWELL_WINE=$(tools/pick-wines "$PWD/build/win32/wineprefix" | head -n 1) || picked=$?
if [ $picked -ne 0 ]; then
  [ $picked -eq 77 ] || exit 1
  echo "demo.sh: the module, the test host and the virtual board are built in $bin, but cannot be tried here: this machine runs no 32-bit x86 code (the lines above say why)." >&2
  echo "demo.sh: to try them, run this demo on a machine that runs 32-bit code, or copy that folder to a Windows PC and run tarnwell_host.exe --vendor-dir boards\\full info there." >&2
  exit 77
fi
export TARNWELL_WINE
[ -n "${DEMO_VIRTUAL_DISPLAY:-}" ] || export VIRTUAL_K8055_WINDOW=1

# The module finds the vendor library on the search path, here the virtual one.
export WINEPATH="Z:${bin//\//\\}\\boards\\full"
host() { tools/wine-run "$PWD/build/win32/wineprefix" "$bin/tarnwell_host.exe" "$@"; }

echo "== tarnwell_host info"
host info
echo
echo "== tarnwell_host cards"
host cards
echo
echo "== tarnwell_host play examples/running_light.csv"
trace=$(mktemp)
export VIRTUAL_K8055_TRACE="Z:$trace"
prefix=""
[ -t 1 ] && prefix=$'\r\e[K'  # clears the progress line on a terminal
python3 tools/board_state.py "$trace" "$prefix" &
printer=$!
host play examples/running_light.csv
wait "$printer"
rm -f "$trace"
# Lets wine end before a virtual display goes away.
tools/wine-run "$PWD/build/win32/wineprefix" wineserver -w

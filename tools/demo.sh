#!/bin/bash
# Builds the module and runs the host program under wine against the
# virtual board, as a user would try the module without hardware.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 >/dev/null

bin="$PWD/build/win32/bin"
# The module finds the vendor library on the search path, here the virtual one.
export WINEPATH="Z:${bin//\//\\}\\boards\\full"
tools/wine-run "$PWD/build/win32/wineprefix" "$bin/tarnwell_host.exe" "$bin/out_tarnwell.dll"

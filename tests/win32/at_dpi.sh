#!/bin/bash
# Runs a Windows test program under wine at a display scaling, on a virtual
# X display of its own: sets LogPixels of the prefix (which must serve this
# run alone) to DPI, runs PROGRAM with TARNWELL_DPI=DPI on a screen of
# WIDTHxHEIGHT, then stops the prefix's wineserver, so that the next run
# starts afresh on its own display.
# Usage: at_dpi.sh DPI WIDTHxHEIGHT TOOLS PREFIX PROGRAM [ARGS...]
# (TOOLS: the folder of wine-run and wine-set-dpi)
set -u
dpi=$1 screen=$2 tools=$3 prefix=$4
shift 4
"$tools/wine-run" "$prefix" wineserver -k 2>/dev/null
export TARNWELL_DPI=$dpi
xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
  tools=$1 prefix=$2
  shift 2
  "$tools/wine-set-dpi" "$prefix" "$TARNWELL_DPI" || { echo "cannot set the DPI of $prefix" >&2; exit 1; }
  "$tools/wine-run" "$prefix" "$@"
  status=$?
  "$tools/wine-run" "$prefix" wineserver -k 2>/dev/null
  exit $status' at_dpi "$tools" "$prefix" "$@"

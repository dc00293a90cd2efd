#!/bin/bash
# Takes docs/try-virtual-board.png: a whole 1024x768 screen with the test
# host's try window and the virtual board's windows for boards 0 and 1, as a
# user sees them who starts try with the virtual board
# (VIRTUAL_K8055_WINDOW=1, VIRTUAL_K8055_BOARDS=0,1).
#   bash tools/screenshot-try-virtual-board.sh
cd "$(dirname "$0")/.."
VIRTUAL_K8055_WINDOW=1 VIRTUAL_K8055_BOARDS=0,1 exec bash tools/screenshot-desktop.sh docs/try-virtual-board.png \
  1024x768 8 try --settings 1

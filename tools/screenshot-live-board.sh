#!/bin/bash
# Regenerates docs/live-board.png: the virtual board's live windows for two
# boards while the test host plays examples/two_boards.csv (the file holds
# its pattern for 8 s), the desktop around them cut off.
#   bash tools/screenshot-live-board.sh
cd "$(dirname "$0")/.."
VIRTUAL_K8055_WINDOW=1 VIRTUAL_K8055_BOARDS=0,1 TRIM=1 exec bash tools/screenshot-desktop.sh docs/live-board.png \
  660x230 5 play examples/two_boards.csv

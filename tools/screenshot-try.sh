#!/bin/bash
# Takes docs/try.png: the test host's try window under a virtual X display,
# with the virtual board's cards 0 and 2 answering, card 1 chosen and all
# channels resent 50 times a second.
#   bash tools/screenshot-try.sh
cd "$(dirname "$0")/.."
VIRTUAL_K8055_BOARDS=0,2 exec bash tools/screenshot-window.sh docs/try.png "tarnwell_host: try" \
  try --settings 1 --rate 50

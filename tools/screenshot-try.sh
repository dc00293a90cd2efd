#!/bin/bash
# Takes docs/try.png and docs/try-144dpi.png: the test host's try window at
# 100 % and at 150 % display scaling (96 and 144 DPI), under a virtual X
# display, with the virtual board's cards 0 and 2 answering, card 1 chosen
# and all channels resent 50 times a second.
#   bash tools/screenshot-try.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export VIRTUAL_K8055_BOARDS=0,2
DPI=96 bash tools/screenshot-window.sh docs/try.png "tarnwell_host: try" try --settings 1 --rate 50
DPI=144 bash tools/screenshot-window.sh docs/try-144dpi.png "tarnwell_host: try" try --settings 1 --rate 50

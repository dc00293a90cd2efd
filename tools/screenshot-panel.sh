#!/bin/bash
# Takes docs/panel.png: the settings panel embedded in the test host's window
# (tarnwell_host panel), under a virtual X display, with the virtual board's
# cards 0 and 2 answering and card 1 chosen.
#   bash tools/screenshot-panel.sh
cd "$(dirname "$0")/.."
VIRTUAL_K8055_BOARDS=0,2 exec bash tools/screenshot-window.sh docs/panel.png "tarnwell_host: settings panel" \
  panel --settings 1

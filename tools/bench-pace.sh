#!/bin/bash
# Measures what a board's pace does to a show: play of three known shows
# (one board with 10 channels at 5 and at 10 updates a second, two boards
# at 10), each 4 s long, through the virtual board with each command taking
# PACES milliseconds (default "0 8 20"): how long play took and how late
# its rows went out.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tarnwell_host virtual_boards >/dev/null

bin="$PWD/build/win32/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# NAME BOARDS UPDATES_PER_SECOND: rows of 10 channels per board, over 4 s.
shows=("one-board-5-a-second 1 5" "one-board-10-a-second 1 10" "two-boards-10-a-second 2 10")
for show in "${shows[@]}"; do
  read -r name boards rate <<<"$show"
  python3 -c "
for update in range(4 * $rate):
    for card in range(1, $boards + 1):
        for channel in range(1, 11):
            print('%d,%d,%d,%d' % (update * 1000 // $rate, channel, (update + channel) % 2 * 65535, card))" \
    >"$work/$name.csv"
done

for pace in ${PACES:-0 8 20}; do
  for show in "${shows[@]}"; do
    read -r name boards rate <<<"$show"
    echo "== $name ($((boards * 10 * rate)) commands a second for 4 s), pace $pace ms"
    VIRTUAL_K8055_BOARDS=0,1 VIRTUAL_K8055_PACE=$pace tools/wine-run "$PWD/build/win32/wineprefix" \
      "$bin/tarnwell_host.exe" --vendor-dir "Z:$bin/boards/full" play "Z:$work/$name.csv" | grep -v '^playing'
  done
done

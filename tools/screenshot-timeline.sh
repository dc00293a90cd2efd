#!/bin/bash
# Regenerates docs/timeline.png: a short show for two boards played through
# the module to the virtual board with its call record on, drawn by
# tarnwell_host timeline, and the page rendered by Debian's Chromium
# (headless, on a virtual X display). Chromium is needed for this picture
# only, not for the tests, so this script installs it when it is missing.
#
# With --forwarded, docs/timeline-forwarded.png: the same show with the
# virtual board forwarding every call to the test library that stands in
# for the vendor's (boards/test-recording), every 37th call of which takes
# 30 ms, as a slow board or driver would.
set -euo pipefail
picture=timeline
height=860
forward=()
if [ "${1:-}" = --forwarded ]; then
  picture=timeline-forwarded
  height=980  # down to the second board's lane of the library's calls
fi
cd "$(dirname "$0")/.."
tools/install-deps.sh
if ! command -v chromium >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends chromium
fi
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tarnwell_host recording_vendor >/dev/null

bin="$PWD/build/win32/bin"
[ "$picture" = timeline ] ||
  forward=(VIRTUAL_K8055_FORWARD="Z:$bin/boards/test-recording/recording_vendor.dll" VIRTUAL_K8055_SLOW_CALLS=37:30)
prefix="$PWD/build/win32/wineprefix"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Card 1: a running light, analog output 1 ramping up and 2 down; card 2:
# outputs blinking at three rates and analog output 1 swinging.
python3 - "$work/show.csv" <<'SHOW'
import math, sys
rows = []
for step in range(32):
    t = step * 150
    rows += [(t, step % 8 + 1, 65535, 1), (t, 9, step * 160, 1), (t, 10, 5100 - step * 160, 1)]
    if step:
        rows.append((t, (step - 1) % 8 + 1, 0, 1))
for t in range(0, 4800, 100):
    rows.append((t, 1, 65535 * (t // 400 % 2), 2))
    rows.append((t, 2, 65535 * (t // 200 % 2), 2))
    rows.append((t, 3, 65535 * (t // 100 % 2), 2))
    rows.append((t, 9, int(2550 + 2500 * math.sin(t / 600)), 2))
rows.append((4800, 8, 0, 1))
with open(sys.argv[1], "w") as f:
    f.write("time_ms,channel,value,card\n")
    for row in sorted(rows, key=lambda r: r[0]):
        f.write("%d,%d,%d,%d\n" % row)
SHOW
(cd "$work" && env VIRTUAL_K8055_BOARDS=0,1 VIRTUAL_K8055_TRACE=k8055d-calls.txt "${forward[@]}" \
  "$OLDPWD/tools/wine-run" "$prefix" "$bin/tarnwell_host.exe" --vendor-dir "Z:$bin/boards/full" play show.csv >/dev/null &&
  "$OLDPWD/tools/wine-run" "$prefix" "$bin/tarnwell_host.exe" timeline k8055d-calls.txt >/dev/null)
mkdir -p docs
xvfb-run -a -s "-screen 0 1280x1024x24" chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
  --window-size=1240,$height --screenshot="$PWD/docs/$picture.png" "file://$work/k8055d-calls.html" 2>/dev/null
echo "docs/$picture.png written"

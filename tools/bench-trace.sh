#!/bin/bash
# Measures whether the virtual board's call record keeps up with play: a
# 100,000-row file over 10 s (ten rows per millisecond) played with
# VIRTUAL_K8055_TRACE set, then the same rows all due at once, which gives
# the cost of a row with its two recorded calls.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target tarnwell_host >/dev/null

bin="$PWD/build/win32/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 -c "
for name, step in (('spread', 10), ('at_once', 0)):
    with open('$work/' + name + '.csv', 'w') as f:
        for i in range(100000):
            f.write('%d,%d,%d\n' % (i // step if step else 0, i % 10 + 1, i * 37 % 65536))"

for name in spread at_once; do
  rm -f "$work/trace.txt"
  echo "== 100,000 rows, $name, call record on"
  VIRTUAL_K8055_TRACE="Z:$work/trace.txt" tools/wine-run "$PWD/build/win32/wineprefix" "$bin/tarnwell_host.exe" \
    --vendor-dir "Z:$bin/boards/full" play "Z:$work/$name.csv" | grep -v '^playing'
  echo "recorded calls: $(wc -l <"$work/trace.txt")"
done

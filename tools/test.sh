#!/bin/bash
# Builds the presets and runs every test: the native suite, the same suite
# under the address, leak and undefined-behaviour sanitizers and under
# valgrind's memcheck, the fuzz targets for a bounded time, then the Windows
# suite with its soaks under wine (inside a virtual X display, for the
# panel) on each wine that tools/pick-wines finds: wine 8 (or the
# developer's own) twice, the same programs in a 32-bit prefix and in a
# 64-bit one (as 32-bit Windows and 64-bit Windows run them), and wine 10,
# which runs them inside 64-bit processes; and last the release: built
# twice and compared, its imports checked for Windows XP, its zip unpacked
# and checked (tools/release-check.sh).
# Exits 0 when all of it passed; 77 when everything else passed but the
# Windows suite could not run because this machine runs no 32-bit x86 code
# at all (tools/runs-32-bit-code), which is said; 1 otherwise.
set -uo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh || exit 1

cmake --preset native >/dev/null && cmake --build --preset native || exit 1
cmake --preset native-asan >/dev/null && cmake --build --preset native-asan || exit 1
cmake --preset win32 >/dev/null && cmake --build --preset win32 || exit 1

status=0
ctest --preset native -j2 || status=1
ctest --preset native-asan -j2 || status=1
for suite in build/native/tests/native/*_tests; do
  valgrind -q --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite,indirect,possible \
    "$suite" --gtest_brief=1 || status=1
done
bash tools/fuzz.sh || status=1
# The Windows suite on each wine that can run it here (tools/pick-wines
# says once why one cannot): the 32-bit-process wine in a 32-bit and a
# 64-bit prefix, wine 10 in its 64-bit prefix.
wines=$(tools/pick-wines build/win32/wineprefix)
picked=$?
for wine in $wines; do
  presets="win32 win64"
  [ "$wine" = wine10 ] && presets=wine10
  for preset in $presets; do
    echo "== the Windows suite on $wine, preset $preset"
    TARNWELL_WINE=$wine xvfb-run -a ctest --preset "$preset" -j2 || status=1
  done
done
if [ $picked -ne 0 ]; then
  echo "test.sh: the Windows suite did not run (the lines above say why)" >&2
  [ $picked -eq 77 ] || status=1
fi
bash tools/release-check.sh || status=1
if [ $status -eq 0 ] && [ $picked -eq 77 ]; then
  echo "test.sh: everything else passed; not run, since this machine runs no 32-bit x86 code: the Windows suite" >&2
  exit 77
fi
exit $status

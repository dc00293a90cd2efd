#!/bin/bash
# Builds the presets and runs every test: the native suite, the same suite
# under the address, leak and undefined-behaviour sanitizers and under
# valgrind's memcheck, the fuzz targets for a bounded time, then the Windows
# suite with its soaks under wine (inside a virtual X display, for the panel)
# twice, the same programs in a 32-bit prefix and in a 64-bit one (as
# 32-bit Windows and 64-bit Windows run them), and last the release: built twice and compared, its imports checked for
# Windows XP, its zip unpacked and checked (tools/release-check.sh).
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
# Where wine cannot run the programs, said once rather than by every test.
if tools/wine-can-run; then
  xvfb-run -a ctest --preset win32 -j2 || status=1
  xvfb-run -a ctest --preset win64 -j2 || status=1
else
  echo "test.sh: the Windows suite did not run" >&2
  status=1
fi
bash tools/release-check.sh || status=1
exit $status

#!/bin/bash
# Builds the release folder dist/: the module, the test host, the virtual
# board in a subfolder of its own (so it is never taken for the vendor's
# library), the README as the user guide with its pictures and example
# files, and SHA-256 checksums of them all.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target out_tarnwell tarnwell_host virtual_boards >/dev/null

bin=build/win32/bin
rm -rf dist
mkdir -p dist/virtual-board dist/docs dist/examples
cp "$bin/out_tarnwell.dll" "$bin/tarnwell_host.exe" README.md dist/
cp "$bin/boards/full/k8055d.dll" dist/virtual-board/
cp docs/*.png dist/docs/
cp examples/*.csv dist/examples/
(cd dist && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS && sha256sum --quiet -c SHA256SUMS)
echo "dist/:"
(cd dist && cat SHA256SUMS)

#!/bin/bash
# Builds the release in dist/: the folder out_tarnwell-VERSION-win32/ with the
# module, the test host, the virtual board with its settings file in a
# subfolder of its own (so it is never taken for the vendor's library), the
# starter that tries the virtual board, the user guide (its Markdown and the
# same rendered as HTML) with its pictures, the example files and SHA256SUMS
# of them all, every text file with Windows line ends; the same folder
# as out_tarnwell-VERSION-win32.zip; and the zip's SHA-256 in
# out_tarnwell-VERSION-win32.zip.sha256, which it also prints. Every byte
# depends only on the commit (and the toolchain): tools/release-check.sh
# builds a commit twice and compares.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target out_tarnwell tarnwell_host virtual_boards >/dev/null

# The commit's time stands for "now" wherever a time is kept.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null) ||
    { echo "release.sh: not a git checkout; set SOURCE_DATE_EPOCH to the source's time" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH
[ -z "$(git status --porcelain --untracked-files=no 2>/dev/null)" ] ||
  echo "release.sh: the tree has uncommitted changes; this release is not the commit's" >&2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/win32/CMakeCache.txt)
name="out_tarnwell-$version-win32"
bin=build/win32/bin
folder="dist/$name"
rm -rf dist
mkdir -p "$folder/virtual-board" "$folder/docs" "$folder/examples"
cp "$bin/out_tarnwell.dll" "$bin/tarnwell_host.exe" USER-GUIDE.md starter/try-virtual-board.cmd "$folder/"
/usr/bin/python3 tools/render_guide.py USER-GUIDE.md "$folder/USER-GUIDE.html"
cp "$bin/boards/full/k8055d.dll" virtual_board/k8055d.ini "$folder/virtual-board/"
cp docs/*.png "$folder/docs/"
cp examples/*.csv "$folder/examples/"
# CR LF in every text file, SHA256SUMS too (sha256sum -c reads it so).
/usr/bin/python3 tools/text_line_ends.py "$folder"
(cd "$folder" && find . -type f ! -name SHA256SUMS | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum >SHA256SUMS)
/usr/bin/python3 tools/text_line_ends.py "$folder"
find "$folder" -type d -exec chmod 755 {} + && find "$folder" -type f -exec chmod 644 {} +
find "$folder" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

/usr/bin/python3 tools/release_zip.py "$folder" "dist/$name.zip"
(cd dist && sha256sum "$name.zip" >"$name.zip.sha256" && sha256sum --quiet -c "$name.zip.sha256" &&
  (cd "$name" && sha256sum --quiet -c SHA256SUMS))
echo "$folder/:"
sed 's/^/  /' "$folder/SHA256SUMS"
echo "dist/$name.zip:"
sed 's/^/  /' "dist/$name.zip.sha256"

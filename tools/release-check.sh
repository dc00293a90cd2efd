#!/bin/bash
# Checks that a user can verify a release: builds the release of the current
# commit twice, from two clean clones in different folders, the second later
# and with another time zone, locale, umask and home folder, and compares
# every file byte for byte; runs the Windows XP import check on every
# shipped PE file; unpacks the zip, verifies its SHA256SUMS, that every text
# file in it has Windows line ends and that the HTML guide's pictures are
# there. Prints the SHA-256 of every file of both builds.
set -euo pipefail
cd "$(dirname "$0")/.."
commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
  echo "release-check.sh: uncommitted changes are not in the clones; checking commit $commit" >&2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Clones the commit into folder and builds its release there.
build_release() {
  git clone -q --no-hardlinks . "$1"
  git -C "$1" checkout -q --detach "$commit"
  bash "$1/tools/release.sh" >"$1.log" 2>&1 || { cat "$1.log"; return 1; }
}

# Every file of a release with its SHA-256, paths from dist/.
checksums() { (cd "$1/dist" && find . -type f | sed 's|^\./||' | LC_ALL=C sort | xargs sha256sum); }

first="$work/first"
second="$work/elsewhere/a longer path/second"
mkdir -p "$(dirname "$second")" "$work/home"
build_release "$first"
(umask 077; export TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 HOME="$work/home"; build_release "$second")

echo "release of commit $commit, first build ($first):"
checksums "$first" | sed 's/^/  /'
echo "second build ($second):"
checksums "$second" | sed 's/^/  /'
if ! diff -r "$first/dist" "$second/dist" >/dev/null; then
  echo "FAIL: the two builds differ:" >&2
  diff -rq "$first/dist" "$second/dist" >&2 || true
  exit 1
fi
echo "the two builds are identical, byte for byte ($(checksums "$first" | wc -l) files)"

release=$(ls -d "$first"/dist/out_tarnwell-*-win32)
/usr/bin/python3 tools/check_xp_imports.py "$release/out_tarnwell.dll" "$release/tarnwell_host.exe" \
  "$release/virtual-board/k8055d.dll"

/usr/bin/python3 -m zipfile -e "$release.zip" "$work/unpacked"
unpacked="$work/unpacked/$(basename "$release")"
(cd "$unpacked" && sha256sum -c SHA256SUMS)
echo "the zip unpacks to files that match its SHA256SUMS"
/usr/bin/python3 tools/text_line_ends.py --check "$unpacked"
pictures=$(grep -o '<img [^>]*src="[^"]*"' "$unpacked/USER-GUIDE.html" | sed 's/.*src="//; s/"$//')
[ -n "$pictures" ] || { echo "FAIL: USER-GUIDE.html shows no picture" >&2; exit 1; }
for picture in $pictures; do
  [ -f "$unpacked/$picture" ] || { echo "FAIL: USER-GUIDE.html shows $picture, which is not in the release" >&2; exit 1; }
done
echo "USER-GUIDE.html shows its pictures from the release:" $pictures

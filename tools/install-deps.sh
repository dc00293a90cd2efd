#!/bin/bash
# Installs what the build, the tests and the demo need on Debian 12, if it is
# not there yet: Debian's packages, then the wine roots that the Windows
# programs run in (tools/wine-root-setup.sh: wine 8 and wine 10). Needs root
# (or sudo) only when something is missing.
set -euo pipefail

packages=(
  cmake make g++ python3 python3-pefile
  googletest libgtest-dev libgmock-dev libbenchmark-dev valgrind clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  debootstrap xvfb xauth x11-utils imagemagick
  python3-markdown
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
wine_root="$(dirname "$0")/wine-root-setup.sh"
[ ${#missing[@]} -eq 0 ] && exec "$wine_root"

echo "Installing: ${missing[*]}"
# A mirror in mid-sync can fail one index of the update; try again, then
# install from the lists that did arrive (the install says what is missing).
for attempt in 1 2 3; do
  $sudo apt-get update -q && break
  echo "apt-get update failed (attempt $attempt of 3)" >&2
  sleep $((attempt * 10))
done
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
exec "$wine_root"

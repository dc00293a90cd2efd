#!/bin/bash
# Makes the wine root, if it is not there yet: a small Debian 12 system in a
# folder (TARNWELL_WINE_ROOT, default /opt/tarnwell-wine) with wine, 32-bit
# and 64-bit, in which tools/wine-run runs the Windows programs. Wine's
# 32-bit half comes from Debian's i386 packages; in a root of its own they
# are taken from the main archive alone, so this machine needs no i386
# architecture and no i386 index of the security archive, which a mirror in
# mid-sync may serve broken. Needs root (or sudo) when the root is made.
set -euo pipefail
root="${TARNWELL_WINE_ROOT:-/opt/tarnwell-wine}"
mirror=http://deb.debian.org/debian
packages=(wine wine64 wine32:i386)
ready="$root/.tarnwell-wine-root"
# What the marker holds: a root made otherwise is made again.
made="bookworm: ${packages[*]}"
[ "$(cat "$ready" 2>/dev/null)" = "$made" ] && exit 0
[ "$(id -u)" -eq 0 ] || exec sudo "$0" "$@"

echo "Making the wine root in $root (Debian 12 with ${packages[*]})"
# A half-made root from an interrupted run is made again from the start.
work="$root.new"
rm -rf "$work"
debootstrap --variant=minbase bookworm "$work" "$mirror" >"$work.log" 2>&1 ||
  { tail -n 20 "$work.log" >&2; echo "wine-root-setup: debootstrap failed" >&2; exit 1; }
cp /etc/resolv.conf "$work/etc/resolv.conf"

# apt runs inside the root as wine will, through tools/enter-root, from the
# project's folder, one that it sees there.
tools=$(cd "$(dirname "$0")" && pwd)
in_root() { (cd "$tools" && "$tools/enter-root" "$work" "$@"); }
in_root dpkg --add-architecture i386
for attempt in 1 2 3; do
  in_root apt-get update -qq && break
  echo "apt-get update in the wine root failed (attempt $attempt of 3)" >&2
  [ $attempt -eq 3 ] && exit 1
  sleep $((attempt * 10))
done
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${packages[@]}" \
  >"$work.log" 2>&1 ||
  { tail -n 20 "$work.log" >&2; echo "wine-root-setup: installing wine failed" >&2; exit 1; }
rm -f "$work.log"
in_root apt-get clean

rm -rf "$root"
mv "$work" "$root"
echo "$made" >"$ready"

#!/bin/bash
# wine-root-setup.sh [WINE...]: makes the wine roots that are not there yet
# (tools/wine-roots names them; without arguments wine8 and wine10), each a
# small Debian system in a folder, with wine, in which tools/wine-run runs
# the Windows programs. Needs root (or sudo) when a root is made.
#   wine8: Debian 12 with wine 8, 32-bit and 64-bit. Wine's 32-bit half
#     comes from Debian's i386 packages; in a root of its own they are taken
#     from the main archive alone, so this machine needs no i386
#     architecture and no i386 index of the security archive, which a mirror
#     in mid-sync may serve broken.
#   wine10: Debian unstable with its wine 10, from 10.0~repack-12 on, the
#     first that runs 32-bit Windows programs inside 64-bit processes (its
#     changelog: "Enable native X86 PE32 executables on amd64"). No Debian
#     release has it; unstable is the archive that does.
# TARNWELL_DEB_CACHE, where set, names a folder that keeps the packages
# downloaded for each root, so that a root made again takes them from there.
set -euo pipefail
tools=$(cd "$(dirname "$0")" && pwd)
. "$tools/wine-roots"
mirror=http://deb.debian.org/debian
[ $# -gt 0 ] || set -- wine8 wine10

# What a wine's root is made of: the suite, the packages, the foreign
# architecture and the lowest version of the wine64 package.
describe() {
  case $1 in
    wine8) suite=bookworm packages=(wine wine64 wine32:i386) foreign=i386 lowest="" ;;
    wine10) suite=sid packages=(wine wine64) foreign="" lowest=10.0~repack-12 ;;
    *) echo "wine-root-setup: no wine named $1 (wine8, wine10)" >&2; exit 2 ;;
  esac
  # What the marker holds: a root made otherwise is made again.
  made="$suite: ${packages[*]}${lowest:+ (wine64 >= $lowest)}"
}

missing=()
for wine in "$@"; do
  describe "$wine"
  [ "$(cat "$(wine_root_marker "$wine")" 2>/dev/null)" = "$made" ] || missing+=("$wine")
done
[ ${#missing[@]} -eq 0 ] && exit 0
# sudo keeps none of the caller's variables but those named to it.
keep=()
for name in TARNWELL_WINE_ROOT TARNWELL_WINE10_ROOT TARNWELL_DEB_CACHE; do
  [ -z "${!name:-}" ] || keep+=("$name=${!name}")
done
[ "$(id -u)" -eq 0 ] || exec sudo "${keep[@]}" "$0" "${missing[@]}"

make_root() {
  local wine=$1 root work cache=""
  describe "$wine"
  root=$(wine_root "$wine")
  if [ -n "${TARNWELL_DEB_CACHE:-}" ]; then cache=$TARNWELL_DEB_CACHE/$wine && mkdir -p "$cache"; fi
  echo "Making the $wine root in $root (Debian $suite with ${packages[*]})"
  # A half-made root from an interrupted run is made again from the start.
  work="$root.new"
  rm -rf "$work"
  debootstrap --variant=minbase ${cache:+--cache-dir="$cache"} "$suite" "$work" "$mirror" >"$work.log" 2>&1 ||
    { tail -n 20 "$work.log" >&2; echo "wine-root-setup: debootstrap failed" >&2; exit 1; }
  cp /etc/resolv.conf "$work/etc/resolv.conf"

  # apt runs inside the root as wine will, through tools/enter-root, from the
  # project's folder, one that it sees there.
  in_root() { (cd "$tools" && "$tools/enter-root" "$work" "$@"); }
  [ -z "$foreign" ] || in_root dpkg --add-architecture "$foreign"
  # Unstable's index is valid for a week only, and the mirror reached may be
  # a copy of an earlier day: its date is not checked.
  for attempt in 1 2 3; do
    in_root apt-get -o Acquire::Check-Valid-Until=false update -qq && break
    echo "apt-get update in the $wine root failed (attempt $attempt of 3)" >&2
    [ $attempt -eq 3 ] && exit 1
    sleep $((attempt * 10))
  done
  [ -z "$cache" ] || find "$cache" -maxdepth 1 -name '*.deb' -exec cp -t "$work/var/cache/apt/archives" {} +
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${packages[@]}" \
    >"$work.log" 2>&1 ||
    { tail -n 20 "$work.log" >&2; echo "wine-root-setup: installing wine failed" >&2; exit 1; }
  rm -f "$work.log"
  [ -z "$cache" ] || cp -n "$work"/var/cache/apt/archives/*.deb "$cache/"
  in_root apt-get clean
  if [ -n "$lowest" ]; then
    local version
    version=$(in_root dpkg-query -W -f='${Version}' wine64)
    dpkg --compare-versions "$version" ge "$lowest" ||
      { echo "wine-root-setup: Debian $suite has wine64 $version, older than $lowest" >&2; exit 1; }
  fi

  rm -rf "$root"
  mv "$work" "$root"
  echo "$made" >"$(wine_root_marker "$wine")"
}

for wine in "${missing[@]}"; do make_root "$wine"; done

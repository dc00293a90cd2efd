#!/bin/bash
# tools/pick-wines where the kernel refuses 32-bit programs, simulated with
# a wine 8 root whose 32-bit loader names another machine (so that starting
# it fails with "Exec format error", as on a kernel without IA-32
# emulation), and with a system wine that fails the same way: the Windows
# programs run on wine 10 alone, which is said once with the reason;
# without a wine 10 root either, it fails, naming every reason.
# Usage: pick_wines_test.sh TOOLS_FOLDER PREFIX
set -u
tools=$1 prefix=$2
. "$tools/wine-roots"
unset TARNWELL_WINE
work=$(mktemp -d /var/tmp/pick-wines-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# The refusing root: as much of a system as wine's wrapper needs to start
# the loader (this machine's sh, env and C library), the wrapper and the
# loader of the wine 8 root, its e_machine ARM's, and the root's marker.
# The wrapper is a link in the wine 8 root whose target is read there, not
# on this machine (root_path).
root=$work/refusing-root
mkdir -p "$root/usr/lib/wine" "$root/mnt" "$root/tmp" && touch "$(TARNWELL_WINE_ROOT=$root wine_root_marker wine8)" &&
  cp -L --parents /bin/sh /usr/bin/env /lib64/ld-linux-x86-64.so.2 "$(ldd /bin/sh | grep -o '/[^ ]*libc.so.6')" "$root" &&
  wrapper=$(root_path "$(wine_root wine8)" /usr/bin/wine) && cp "$wrapper" "$root/usr/bin/wine" &&
  cp "$(wine_root wine8)/usr/lib/wine/wine" "$root/usr/lib/wine/wine" &&
  printf '\050\000' | dd of="$root/usr/lib/wine/wine" bs=1 seek=18 conv=notrunc 2>/dev/null ||
  fail "cannot make the refusing root"
mkdir "$work/bin"
printf '#!/bin/sh\necho "wine: Exec format error" >&2\nexit 126\n' >"$work/bin/wine"
chmod +x "$work/bin/wine"
export PATH="$work/bin:$PATH" TARNWELL_WINE_ROOT=$root

picked=$("$tools/pick-wines" "$prefix" 2>"$work/said")
status=$?
said=$(cat "$work/said")
[ $status -eq 0 ] && [ "$picked" = wine10 ] || fail "picked \"$picked\" (status $status), not wine10 alone: $said"
[ "$(grep -c "cannot run 32-bit programs" "$work/said")" -eq 1 ] || fail "the kernel's refusal not said once: $said"
[[ "$said" == *"run on wine10 alone"* ]] || fail "not said that wine10 runs them alone: $said"

TARNWELL_WINE10_ROOT=$work/no-root "$tools/pick-wines" "$prefix" >"$work/picked" 2>"$work/said"
status=$?
said=$(cat "$work/said")
[ $status -eq 1 ] && [ ! -s "$work/picked" ] || fail "without any wine: status $status, picked $(cat "$work/picked")"
[[ "$said" == *"cannot run 32-bit programs"* && "$said" == *"no wine10 root in $work/no-root"* &&
   "$said" == *"no wine can run"* ]] || fail "without any wine the reasons are not all said: $said"
echo "pick-wines: wine10 alone where 32-bit programs are refused, and neither without its root"

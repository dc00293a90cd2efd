#!/bin/bash
# tools/enter-root for someone who is not root, through a user namespace:
# the program runs as that user, so what it writes is theirs; it sees the
# project's folder (made in the root, which has none of it) and starts in
# the current one; its exit status comes through, and nothing stays
# mounted. Run as root, it enters as the unprivileged user nobody, with a
# copy of the script in a project folder of nobody's outside /tmp, /var/tmp
# and /home; run by a user, as that user.
# The root is that of the wine in use (TARNWELL_WINE), else wine 8's.
# Usage: enter_root_test.sh TOOLS_FOLDER
set -u
tools=$1
. "$tools/wine-roots"
root=$(wine_root "${TARNWELL_WINE:-wine8}")
[ -n "$root" ] || root=$(wine_root wine8)
fail() { echo "FAIL: $*"; exit 1; }
as_user=() made=""  # removed at the end
trap '[ -z "$made" ] || rm -rf "$made"' EXIT
if [ "$(id -u)" -eq 0 ]; then
  project=$(mktemp -d /opt/enter-root-test.XXXXXX) && made=$project
  mkdir "$project/tools" && cp "$tools/enter-root" "$project/tools/" && chmod 755 "$project" &&
    chown -R nobody:nogroup "$project" || fail "cannot make nobody's project in $project"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  user=$(id -u nobody)
else
  project=$(cd "$tools/.." && pwd)
  user=$(id -u)
fi
work=$("${as_user[@]}" mktemp -d "$project/enter-root-test.XXXXXX") || fail "cannot make a folder in $project"
[ -n "$made" ] || made=$work

out=$(cd "$work" && "${as_user[@]}" "$project/tools/enter-root" "$root" sh -c 'id -u; pwd; echo written >note.txt; exit 7')
status=$?
[ $status -eq 7 ] || fail "exit status $status, not the program's 7 (output: $out)"
[ "$out" = "$user
$work" ] || fail "the program ran as $(echo "$out" | head -n 1) in $(echo "$out" | tail -n 1), not as $user in $work"
[ "$(stat -c %u "$work/note.txt")" = "$user" ] || fail "note.txt is $(stat -c %U "$work/note.txt")'s, not the user's"
! grep -q " $root[/ ]" /proc/self/mountinfo || fail "left mounted: $(grep " $root[/ ]" /proc/self/mountinfo)"
echo "enter-root: as user $user, in $work, its file its own, nothing left mounted"

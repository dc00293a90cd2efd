#!/bin/bash
# tools/wine-run enters the wine's root: a program there reads a file of the
# folder it was started in, in /var/tmp, though the prefix's wine server was
# started by an earlier run (it opens the files), and gets its exit status
# through, with the prefix named relative to the current folder too; once it
# has ended, nothing of the root is mounted on this machine.
# Usage: wine_run_test.sh TOOLS_FOLDER PREFIX
set -u
tools=$1 prefix=$2
. "$tools/wine-roots"
root=$(wine_root "${TARNWELL_WINE:-wine8}")  # none for the system's wine
work=$(mktemp -d /var/tmp/wine-run-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

echo "from outside the project" >"$work/note.txt"
# A program started from elsewhere first starts the server, which stays a
# few seconds after its last program.
(cd "$tools" && "$tools/wine-test-run" "$prefix" cmd /c exit 0) || fail "cannot run a program under wine"
out=$(cd "$work" && "$tools/wine-test-run" "$prefix" cmd /c "type note.txt & exit 5")
status=$?
[ $status -eq 5 ] || fail "exit status $status, not the program's 5"
[[ "$out" == *"from outside the project"* ]] || fail "the program did not read the current folder's file: $out"
# A prefix named relative to the current folder is the same prefix.
(cd "$(dirname "$prefix")" && "$tools/wine-test-run" "$(basename "$prefix")" cmd /c exit 6)
[ $? -eq 6 ] || fail "a prefix named relative to its folder did not run the program"
[ -z "$root" ] || ! grep -q " $root[/ ]" /proc/self/mountinfo ||
  fail "left mounted: $(grep " $root[/ ]" /proc/self/mountinfo)"
echo "wine-run: current folder seen, status passed on, nothing left mounted"

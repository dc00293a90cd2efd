#!/bin/bash
# tools/wine-test-run with a runner that leaves a process behind holding the
# standard output and error it was given, as wine's server does: the wrapper
# ends when the program does, with its status, its output on stdout and its
# errors on stderr, and the reader of its output gets the end of it at once.
# Usage: wine_test_run_test.sh TOOLS_FOLDER
set -u
tools=$1
work=$(mktemp -d)
runner="$work/runner"
cat >"$runner" <<'RUNNER'
#!/bin/sh
sleep 60 &
echo $! >"$(dirname "$0")/leftover.pid"
echo "out: $*"
echo "err: $2" >&2
exit 3
RUNNER
chmod +x "$runner"
leftover() { [ -f "$work/leftover.pid" ] && kill "$(cat "$work/leftover.pid")" 2>/dev/null; rm -rf "$work"; }
trap leftover EXIT

fail() { echo "FAIL: $*"; exit 1; }
# The pipe's reader, cat, ends only when every holder of the pipe is gone;
# timeout tells a wait on the left-over process from the wrapper's end.
WINE_RUN="$runner" timeout 20 bash -c 'set -o pipefail; "$1/wine-test-run" prefix program "an argument" 2>"$2/err" | cat >"$2/out"' \
  test "$tools" "$work"
status=$?
[ $status -ne 124 ] || fail "the output stayed open while the left-over process lived"
[ $status -eq 3 ] || fail "exit status $status, not the program's 3"
[ "$(cat "$work/out")" = "out: prefix program an argument" ] || fail "stdout: $(cat "$work/out")"
[ "$(cat "$work/err")" = "err: program" ] || fail "stderr: $(cat "$work/err")"

# Standard input reaches the program.
printf '#!/bin/sh\nread line; echo "read $line"\n' >"$runner"
[ "$(echo hello | WINE_RUN="$runner" timeout 20 "$tools/wine-test-run" prefix)" = "read hello" ] ||
  fail "standard input did not reach the program"
# A closed standard input is no reason to fail.
printf '#!/bin/sh\necho ran\n' >"$runner"
[ "$(WINE_RUN="$runner" timeout 20 "$tools/wine-test-run" prefix <&-)" = ran ] ||
  fail "without a standard input the program did not run"

# A program that does not end is stopped at the limit, with what it printed.
printf '#!/bin/sh\necho started; exec sleep 60\n' >"$runner"
WINE_RUN="$runner" WINE_TEST_LIMIT=1 timeout 20 "$tools/wine-test-run" prefix hanging.exe >"$work/out" 2>"$work/err"
status=$?
[ $status -eq 124 ] || fail "a program past the limit: exit status $status, not 124"
[ "$(cat "$work/out")" = started ] || fail "a stopped program's output: $(cat "$work/out")"
grep -q "hanging.exe was still running after 1 s" "$work/err" || fail "no word of the stop: $(cat "$work/err")"
echo "wine-test-run ends with its program"

#!/usr/bin/env bash
# scripts/build-beside: the status it gives for each way the build and the tests can end, the
# build's log and where it is shown, and the build's priority before and after the tests.
set -uo pipefail
beside=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# expect STATUS DESCRIPTION ARGS...: runs build-beside with ARGS, its standard error to err.
expect() {
  local want=$1 what=$2
  shift 2
  "$beside" "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: status $got, not $want"
}

expect 0 "both pass" "$work/a.log" sh -c 'echo built' -- sh -c 'echo tested'
grep -qx built "$work/a.log" || fail "the build's output is not in its log"
grep -qx tested "$work/out" || fail "the tests' output is not shown"
grep -q built "$work/out" "$work/err" && fail "a passing build's output is shown"

expect 3 "the build fails" "$work/b.log" sh -c 'echo broken; exit 3' -- true
grep -q broken "$work/err" || fail "a failing build's log is not shown"

expect 4 "the tests fail" "$work/c.log" true -- sh -c 'exit 4'
expect 4 "both fail: the tests' status" "$work/d.log" sh -c 'exit 3' -- sh -c 'exit 4'
grep -q "status 3" "$work/err" || fail "a failing build beside failing tests is not reported"

# The build sees its priority while the tests run; then, as root (who alone may raise it again
# everywhere), it waits for the raise that comes when they end, polling rather than timing it.
cat >"$work/build" <<'BUILD'
nice
[ "$(id -u)" -eq 0 ] || exit 0
for _ in $(seq 1000); do
  [ "$(nice)" = 0 ] && break
  sleep 0.01
done
nice
BUILD
expect 0 "priorities" "$work/e.log" sh "$work/build" -- \
  sh -c 'for _ in $(seq 1000); do [ -s "$0" ] && break; sleep 0.01; done' "$work/e.log"
[ "$(sed -n 1p "$work/e.log")" = 19 ] || fail "the build runs at priority $(sed -n 1p "$work/e.log")"
if [ "$(id -u)" -eq 0 ]; then
  [ "$(sed -n 2p "$work/e.log")" = 0 ] || fail "after the tests the build runs at $(sed -n 2p "$work/e.log")"
fi

expect 2 "no tests" "$work/f.log" true --
expect 2 "no build" "$work/g.log" -- true
[ "$failures" -eq 0 ]

#!/bin/bash
# The real program, offscreen: a second copy ends within 2 s while the first runs; a lock
# left by a killed copy does not stop the next start; two copies started together leave one.
set -u
program=${1:?usage: single_instance_test.sh PATH/TO/zentrik-vesmar}

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-instance.XXXXXX")
chmod 700 "$work"
export XDG_RUNTIME_DIR=$work HOME=$work QT_QPA_PLATFORM=offscreen
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    local pids
    pids=$(jobs -p)
    [ -n "$pids" ] && kill -9 $pids 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}
alive() { kill -0 "$1" 2>/dev/null; }
wait_for() {
    for _ in $(seq 100); do
        [ -e "$1" ] && return 0
        sleep 0.05
    done
    return 1
}
milliseconds() { date +%s%3N; }

"$program" &
first=$!
wait_for "$work/Zentrik Vesmar.socket" || fail "the first copy never listened"
started=$(milliseconds)
"$program"
status=$?
elapsed=$(($(milliseconds) - started))
[ "$status" -eq 0 ] || fail "the second copy ended with status $status"
[ "$elapsed" -lt 2000 ] || fail "the second copy took $elapsed ms to end"
alive "$first" || fail "the first copy did not survive the second"
echo "a second copy ended after $elapsed ms"

kill -9 "$first"
wait "$first" 2>/dev/null
[ -e "$work/Zentrik Vesmar.lock" ] || fail "the killed copy left no lock to test with"
"$program" &
next=$!
sleep 1.5
alive "$next" || fail "the lock of a killed copy stopped a new start"
kill -9 "$next"
wait "$next" 2>/dev/null
echo "a stale lock was taken over"

rm -f "$work/Zentrik Vesmar.lock"
"$program" &
one=$!
"$program" &
two=$!
sleep 2.5
running=0
alive "$one" && running=$((running + 1))
alive "$two" && running=$((running + 1))
[ "$running" -eq 1 ] || fail "$running copies run after starting two at once"
echo "two copies started together leave one"
echo "PASS"

#!/bin/bash
# The real program, offscreen, one running copy per user:
#  * a second copy hands over to the first and ends within 2 s;
#  * nothing a running copy does not hold stops a start: an empty or garbage lock, a folder of
#    the lock's name, the lock of a live process of our name that is not ours, a killed copy's lock;
#  * the lock and the socket stay in a folder only this user can write, whatever XDG_RUNTIME_DIR is;
#  * two copies started together leave one.
set -u
program=$(realpath "${1:?usage: single_instance_test.sh PATH/TO/zentrik-vesmar}")

name="Zentrik Vesmar"
root=$(mktemp -d "${TMPDIR:-/tmp}/zv-instance.XXXXXX")
chmod 700 "$root"
export QT_QPA_PLATFORM=offscreen
unset XDG_CACHE_HOME
# shellcheck disable=SC2317 # run by the trap
cleanup() {
    local pids
    pids=$(jobs -p)
    [ -n "$pids" ] && kill -9 $pids 2>/dev/null
    rm -rf "$root"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}
alive() { kill -0 "$1" 2>/dev/null; }
milliseconds() { date +%s%3N; }

# fresh CASE: an empty home, a private runtime folder, a temporary folder and a working folder
fresh() {
    dir=$root/$1
    killed=""
    mkdir -p "$dir/home" "$dir/run" "$dir/tmp" "$dir/cwd"
    chmod 700 "$dir/run"
    run=$dir/run
    export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run TMPDIR=$dir/tmp
}

start() { (cd "$dir/cwd" && exec "$program") & }

# listening PID FOLDER: the copy PID runs and listens in FOLDER within 10 s. A killed copy leaves
# its socket file behind: until its lock is taken over, that file says nothing.
listening() {
    for _ in $(seq 200); do
        [ -S "$2/$name.socket" ] && { [ -z "$killed" ] || [ "$(head -n 1 "$2/$name.lock")" != "$killed" ]; } &&
            return 0
        alive "$1" || return 1
        sleep 0.05
    done
    return 1
}

# hands_over FIRST: a second copy asks the first to come forward, ends at once, and the first runs on
hands_over() {
    local started status elapsed
    started=$(milliseconds)
    (cd "$dir/cwd" && timeout 10 "$program")
    status=$?
    elapsed=$(($(milliseconds) - started))
    [ "$status" -eq 0 ] || fail "$label: the second copy ended with status $status"
    [ "$elapsed" -lt 2000 ] || fail "$label: the second copy took $elapsed ms to end"
    alive "$1" || fail "$label: the first copy did not survive the second"
}

# What the lock file of a live process looks like, as the lock of every copy is written.
lock_of() {
    printf '%s\n%s\n%s\n%s\n%s\n' "$1" zentrik-vesmar "$(hostname)" \
        "$(cat /etc/machine-id 2>/dev/null)" "$(cat /proc/sys/kernel/random/boot_id)"
}

# Set-ups of the cases below.
stranger_of_our_name() {
    mkdir "$dir/bin"
    cp "$(command -v sleep)" "$dir/bin/zentrik-vesmar"
    "$dir/bin/zentrik-vesmar" 60 &
    lock_of $! >"$run/$name.lock"
}
killed_copy() {
    start
    local copy=$!
    listening "$copy" "$run" || fail "$label: the copy to kill never listened"
    kill -9 "$copy"
    wait "$copy" 2>/dev/null
    killed=$copy
    [ -s "$run/$name.lock" ] || fail "$label: the killed copy left no lock to test with"
}
# Qt's own fallback for a missing or unsafe runtime folder, taken by someone else first.
squatted_fallback() { : >"$TMPDIR/runtime-$(id -un)"; }
long_home() {
    HOME=$dir/$(printf 'h%.0s' $(seq 90))
    mkdir -p "$HOME"
}

cases=0
cache=\$HOME/.cache/\$name
# label | set-up before the first start | folder where the lock and the socket must be
while IFS='|' read -r label setup expected <&3; do
    cases=$((cases + 1))
    fresh "case$cases"
    eval "$setup"
    eval "expected=\"$expected\""
    start
    first=$!
    listening "$first" "$expected" || fail "$label: the program ended or did not listen within 10 s"
    hands_over "$first"
    [ "$(stat -c '%u %a' "$expected")" = "$(id -u) 700" ] ||
        fail "$label: $expected is $(stat -c '%U %a' "$expected"), not private"
    [ -e "$expected/$name.lock" ] || fail "$label: no lock in $expected"
    for shared in "$dir/cwd" "$TMPDIR"; do
        [ -z "$(find "$shared" -maxdepth 1 -name "$name.*")" ] || fail "$label: lock or socket in $shared"
    done
    kill -9 "$first"
    wait "$first" 2>/dev/null
    echo "ok: $label"
done 3<<CASES
no lock|:|\$run
empty lock|: >"\$run/\$name.lock"|\$run
garbage lock|printf 'not a process\n\001\377' >"\$run/\$name.lock"|\$run
folder named like the lock|mkdir "\$run/\$name.lock"|\$run
lock of a live process of our name|stranger_of_our_name|\$run
lock of a killed copy|killed_copy|\$run
XDG_RUNTIME_DIR unset|unset XDG_RUNTIME_DIR; squatted_fallback|$cache
XDG_RUNTIME_DIR writable by all|chmod 777 "\$run"; squatted_fallback|$cache
XDG_RUNTIME_DIR a link|ln -s "\$run" "\$dir/link"; XDG_RUNTIME_DIR=\$dir/link; squatted_fallback|$cache
home too long for a socket path|unset XDG_RUNTIME_DIR; squatted_fallback; long_home|\$TMPDIR/zentrik-vesmar-$(id -u)
CASES

label="two at once"
fresh two-at-once
start
one=$!
start
two=$!
running() {
    local count=0
    alive "$one" && count=$((count + 1))
    alive "$two" && count=$((count + 1))
    echo "$count"
}
# One hands over and ends, however long that takes on a busy machine; then one runs on.
for _ in $(seq 300); do [ "$(running)" -le 1 ] && break; sleep 0.05; done
[ "$(running)" -eq 1 ] || fail "$(running) copies run after starting two at once"
survivor=$one
alive "$one" || survivor=$two
listening "$survivor" "$run" || fail "$label: the copy left running does not listen"
echo "ok: two copies started together leave one"
echo "PASS"

#!/bin/bash
# The real program's command line on simulated cards (see tests/common/card_world.sh), with no
# display at all:
#  * list shows each card as ROOT<TAB>LABEL;
#  * set writes the exact bytes, to two cards in one call, says what it wrote, and remembers
#    the cards in the user's state folder;
#  * an unknown model or a moment that does not exist is a usage error (2) that writes
#    nothing; a folder that is no card, or a card's bare mount point once it is pulled, fails
#    that drive alone (1); nothing is ever written off a card, nor any setting beside the program;
#  * --version and --help answer with 0; with no arguments and no display the program says so
#    in one line and ends with 1, never a core dump.
#   command_line_test.sh PROGRAM VERSION
# Exit 77 (skipped) when this machine cannot do it.
set -u
. "$(dirname "$0")/../common/card_world.sh"
enter_card_world "$@"
program=${1:?usage: command_line_test.sh PROGRAM VERSION}
version=${2:?usage: command_line_test.sh PROGRAM VERSION}

mkdir "$work/program"
cp "$program" "$work/program/zentrik-vesmar"
# The command line needs no display; the user's folders are the test's own.
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_STATE_HOME -u XDG_CONFIG_HOME \
        HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" "$work/program/zentrik-vesmar" "$@" >"$work/out" 2>"$work/err"
}
expect_exit() { # STATUS ARGS...: runs the program and checks its exit status
    local want=$1
    shift
    run "$@"
    local got=$?
    [ "$got" -eq "$want" ] || fail "'$*' exited $got, not $want: $(cat "$work/out" "$work/err")"
}
expect_bytes() { # FILE PRINTF-FORMAT
    printf "$2" | cmp -s - "$1" || fail "$1 holds $(od -c "$1" 2>&1 | head -n 3)"
}
card_files() { ls -A "$1" | grep -vx lost+found | LC_ALL=C sort | xargs; }

new_card CAM1 ext2
new_card CAM2 ext2
plug_card CAM1 /media/u/CAM1
plug_card CAM2 "/media/u/CAM 2"

expect_exit 0 list
grep -q $'^/media/u/CAM1/\t' "$work/out" || fail "list lacks CAM1: $(cat "$work/out")"
grep -q $'^/media/u/CAM 2/\t' "$work/out" || fail "list lacks CAM 2: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 2 ] || fail "list shows more than the two cards: $(cat "$work/out")"

expect_exit 0 set --drive /media/u/CAM1 --model Q5 --stamp no --at "2027-01-02 03:04:05"
expect_bytes /media/u/CAM1/TIMERSET.txt '20270102030405 N\r\n'
[ "$(cat "$work/out")" = "/media/u/CAM1/TIMERSET.txt 20270102030405 N" ] || fail "set said: $(cat "$work/out")"
[ -s "$work/home/.local/state/Zentrik/Zentrik Vesmar/set-cards" ] || fail "the card set was not remembered"
echo "set wrote the exact bytes and remembered the card"

expect_exit 0 set --drive /media/u/CAM1/ --drive "/media/u/CAM 2" --model md80 --at "2027-01-02 03:04:05"
for card in /media/u/CAM1 "/media/u/CAM 2"; do expect_bytes "$card/TAG.txt" '2027-01-02 03:04:05\r\n'; done
[ "$(wc -l <"$work/out")" -eq 2 ] || fail "two cards set, but said: $(cat "$work/out")"
echo "one call set two cards"

rm -f /media/u/CAM1/* "/media/u/CAM 2"/* 2>/dev/null
expect_usage_error() { # REASON SET-OPTIONS...
    local reason=$1
    shift
    expect_exit 2 set --drive /media/u/CAM1 "$@"
    [ "$(head -n 1 "$work/err")" = "zentrik-vesmar: $reason" ] || fail "'$*' said: $(cat "$work/err")"
    [ "$(tail -n +2 "$work/err")" = "Try 'zentrik-vesmar --help'." ] || fail "no pointer to --help: $(cat "$work/err")"
}
expect_usage_error "unknown model 'Q9' ('zentrik-vesmar models' lists them)" --model Q9
expect_usage_error "--at takes a real moment as \"YYYY-MM-DD hh:mm:ss\", not '2027-02-30 00:00:00'" \
    --model Q5 --at "2027-02-30 00:00:00"
expect_usage_error "MD80 has no time stamp to choose: leave out --stamp" --model MD80 --stamp no
[ -z "$(card_files /media/u/CAM1)" ] || fail "a usage error wrote $(card_files /media/u/CAM1)"
echo "usage errors exit 2 with a reason and write nothing"

mkdir "$work/folder"
expect_exit 1 set --drive "$work/folder" --drive /media/u/CAM1 --model RS-101
[ "$(cat "$work/err")" = "zentrik-vesmar: $work/folder: Invalid filename" ] || fail "said: $(cat "$work/err")"
[ -z "$(ls -A "$work/folder")" ] || fail "set wrote into a folder that is no card"
[ -f /media/u/CAM1/TIME.txt ] || fail "the card beside the failed folder was not set"
unplug_card "/media/u/CAM 2"
expect_exit 1 set --drive "/media/u/CAM 2" --model RS-101
[ -z "$(ls -A "/media/u/CAM 2")" ] || fail "set wrote into a pulled card's bare mount point"
echo "a folder that is no card fails alone and gets nothing"

# Until the program can eject, --eject says so for the card; either way its file stays.
run set --drive /media/u/CAM1 --model MD80 --eject
status=$?
[ "$status" -eq 0 ] || { [ "$status" -eq 1 ] && grep -q "^zentrik-vesmar: /media/u/CAM1: .*eject" "$work/err"; } ||
    fail "--eject exited $status: $(cat "$work/err")"
[ "$status" -eq 1 ] && [ ! -f /media/u/CAM1/TAG.txt ] && fail "a failed eject lost the written file"

expect_exit 0 --version
[ "$(cat "$work/out")" = "zentrik-vesmar $version" ] || fail "--version said: $(cat "$work/out")"
expect_exit 0 --help
grep -q "^Exit status:" "$work/out" || fail "--help tells no exit status"
[ "$(ls -A "$work/program")" = zentrik-vesmar ] || fail "the command line wrote beside the program: $(ls -A "$work/program")"

expect_exit 1 # no arguments, no display
[ "$(wc -l <"$work/err")" -eq 1 ] && grep -q "desktop session.*zentrik-vesmar --help" "$work/err" ||
    fail "without a display it said: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "without a display it printed: $(cat "$work/out")"
echo "without arguments and a display: one line and exit 1"
echo PASS

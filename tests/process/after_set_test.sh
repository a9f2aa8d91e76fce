#!/bin/bash
# The real program under Xvfb after a set (see tests/common/card_world.sh):
#  * with a lead of 30 s saved beside the program, the line written is 30 s after the press;
#  * set, unplug, the camera takes the file (it is deleted), plug: "the camera has taken the
#    time", once; plugged again, nothing;
#  * set, unplug, the camera records a video without reading the file, plug: "recorded but not
#    read", once.
# The camera's doings are played on the unplugged card with debugfs, through its loop device.
#   after_set_test.sh PROGRAM PROBE-PLUGINS
set -u
. "$(dirname "$0")/../common/card_world.sh"
enter_card_world "$@"
program=${1:?usage: after_set_test.sh PROGRAM PROBE-PLUGINS}
plugins=${2:?usage: after_set_test.sh PROGRAM PROBE-PLUGINS}
command -v debugfs >/dev/null || skip "debugfs (e2fsprogs) is not installed"

new_card CAM ext2
card=/media/u/CAM
mkdir -p "$work/program"
printf 'LeadSeconds=30\r\n' >"$work/program/Zentrik-options.ini"
start_program "$program" ru_RU.UTF-8 "$plugins"
records="$work/home/.local/state/Zentrik/Zentrik Vesmar/set-cards"

# pull_card: unmounts the card and waits until the program shows it gone. The camera plays only
# after that: a card pulled and plugged again between two of the program's looks would be, to
# it, a card that never left.
pull_card() {
    unplug_card "$card"
    wait_shows TForm1/ComboBox2/row -1
}

# set_card: plugs the card, sets it, closes the confirmation, waits until it is remembered.
set_card() {
    plug_card CAM "$card"
    wait_shows TForm1/ComboBox2/item0 "$card/"
    rm -f "$records"
    before=$(date +%s)
    press_set_until_confirmed || fail "set was not confirmed"
    after=$(date +%s)
    close_confirmation
    wait_until 20 test -s "$records" || fail "the card set was not remembered"
    pull_card
}

# camera DEBUGFS-COMMAND...: what the camera does to the unplugged card
camera() {
    local command
    for command in "$@"; do debugfs -w -R "$command" "$card_loop_CAM" >/dev/null 2>&1 || fail "debugfs: $command"; done
}

# plug_and_expect TEXT: plugs the card; TEXT is the answer shown, or "" for none
plug_and_expect() {
    plug_card CAM "$card"
    wait_shows TForm1/ComboBox2/item0 "$card/"
    if [ -z "$1" ]; then
        sleep 1.5 # an answer would show within this; none may
        [ "$(windows_shown)" -eq 1 ] || fail "an answer was given again: $(shown CameraAnswer/Label1/caption)"
    else
        wait_shows CameraAnswer/Label1/caption "$1"
        local cx cy
        read -r cx cy < <(wait_window 322 126 5) || fail "no answer window"
        click_at $((cx + 163)) $((cy + 85))
        wait_until 10 eval '! window_of_size 322 126 >/dev/null' || fail "the answer did not close"
    fi
    pull_card
}

set_card
# MD80: dashes, colons, a space; the moment is the press plus the lead.
plug_card CAM "$card"
expect_time_line "$card/TAG.txt" "+%Y-%m-%d %H:%M:%S" $((before + 30)) $((after + 30))
line=$(tr -d '\r' <"$card/TAG.txt")
pull_card
echo "with a lead of 30 s the card got $line"

camera "rm TAG.txt"
plug_and_expect "Камера приняла время\\n$line"
plug_and_expect ""
echo "the camera's taking the file was told once"

set_card
printf video >"$work/video"
camera "mkdir DCIM" "mkdir DCIM/100MEDIA" "write $work/video DCIM/100MEDIA/VID0001.AVI" \
    "set_inode_field DCIM/100MEDIA/VID0001.AVI mtime $(date -u -d '+1 hour' +%Y%m%d%H%M%S)"
plug_and_expect "Камера записывала, но не прочитала файл TAG.txt. Проверьте модель и имя файла в настройках."
plug_and_expect ""
echo "a video recorded without the file read was told once"

grep -i "error\|warning" "$work/stderr" && fail "the program complained"
echo PASS

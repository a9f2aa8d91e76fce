#!/bin/bash
# The real program under Xvfb against real cards (see tests/common/card_world.sh):
#  * an ext2 card plugged while the program runs is listed, and set writes the time file there,
#    replacing a link of that name without touching what it points to, and leaving the owner's
#    own files (a TAG.tmp with content among them) exactly as they were;
#  * on a full card set says so and leaves the earlier file whole;
#  * the card unmounts at once (nothing held open); unplugged, it leaves the list, set is
#    disabled again and the program runs on;
#  * on a case-blind exFAT card, the owner's tag.TMP survives and an old Tag.Txt is replaced by
#    the one TAG.txt.
#   real_card_test.sh PROGRAM PROBE-PLUGINS
# Every wait is for a state, never a time. Exit 77 (skipped) when this machine cannot do it.
set -u
. "$(dirname "$0")/../common/card_world.sh"
enter_card_world "$@"
program=${1:?usage: real_card_test.sh PROGRAM PROBE-PLUGINS}
plugins=${2:?usage: real_card_test.sh PROGRAM PROBE-PLUGINS}

new_card CAMERA ext2
start_program "$program" ru_RU.UTF-8 "$plugins"
wait_shows TForm1/SetButton/enabled 0

card=/media/u/CAMERA
plug_card CAMERA "$card"
printf keep >"$work/outside"
ln -s "$work/outside" "$card/TAG.txt" # a hostile card: the time file's name links off the card
printf 'the owner\r\n' >"$card/TAG.tmp"
mkdir "$card/time.tmp"
plugged=$(date +%s%N)
wait_shows TForm1/ComboBox2/item0 "$card/"
wait_shows TForm1/SetButton/enabled 1
echo "the card was listed $((($(date +%s%N) - plugged) / 1000000)) ms after it was mounted"
before=$(date +%s)
press_set_until_confirmed || fail "set was not confirmed"
after=$(date +%s)
# MD80, the first model: date with dashes, time with colons, a space between, CR LF.
expect_time_line "$card/TAG.txt" "+%Y-%m-%d %H:%M:%S" "$before" "$after"
[ "$(cat "$work/outside")" = keep ] && [ ! -L "$card/TAG.txt" ] || fail "set wrote through the link"
[ "$(cat "$card/TAG.tmp")" = $'the owner\r' ] && [ -d "$card/time.tmp" ] || fail "set changed the owner's files"
written=$(cat "$card/TAG.txt")
close_confirmation

# A full card: set must fail with a message and keep the earlier file as it was.
dd if=/dev/zero of="$card/filler" bs=1k 2>/dev/null # to the last block
click_at $((mx + 200)) $((my + 528))
wait_until 10 message_box >/dev/null || fail "set on a full card showed no message"
window_of_size 322 126 >/dev/null && fail "set on a full card was confirmed"
[ "$(cat "$card/TAG.txt")" = "$written" ] || fail "the full card lost its earlier time file"
[ "$(ls -A "$card" | LC_ALL=C sort | xargs)" = "TAG.tmp TAG.txt filler lost+found time.tmp" ] ||
    fail "left behind: $(ls -A "$card" | xargs)"
press_return_in_focused_window
wait_until 10 eval '! message_box >/dev/null' || fail "the message did not close"
rm "$card/filler"
echo "set replaced a link without following it, kept the owner's files, and on a full card kept the earlier file"

unplug_card "$card"
echo "the card unmounted at once"
wait_shows TForm1/SetButton/enabled 0
wait_shows TForm1/ComboBox2/row -1
click_at $((mx + 200)) $((my + 528))
sleep 0.5 # a press that does something shows its window well within this
[ "$(windows_shown)" -eq 1 ] || fail "set still answered after the card was pulled"
kill -0 "$app" 2>/dev/null || fail "the program ended after the card was pulled"
[ -z "$(ls -A "$card")" ] || fail "set wrote into the bare mount point: $(ls -A "$card" | xargs)"

# A case-blind card: names that differ from ours only in case are the same entries there.
new_card BLIND exfat
blind=/media/u/BLIND
plug_card BLIND "$blind"
printf 'the owner' >"$blind/tag.TMP"
printf 'old\r\n' >"$blind/Tag.Txt"
wait_shows TForm1/ComboBox2/item0 "$blind/"
before=$(date +%s)
press_set_until_confirmed || fail "set on the case-blind card was not confirmed"
after=$(date +%s)
close_confirmation
[ "$(ls -A "$blind" | LC_ALL=C sort | xargs)" = "TAG.txt tag.TMP" ] || fail "on the case-blind card: $(ls -A "$blind" | xargs)"
expect_time_line "$blind/TAG.txt" "+%Y-%m-%d %H:%M:%S" "$before" "$after"
[ "$(cat "$blind/tag.TMP")" = "the owner" ] || fail "set changed the owner's tag.TMP"
echo "on a case-blind card the owner's tag.TMP stayed and Tag.Txt became the one TAG.txt"

grep -i "error\|warning" "$work/stderr" && fail "the program complained"
echo PASS

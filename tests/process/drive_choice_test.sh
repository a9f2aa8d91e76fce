#!/bin/bash
# The real program under Xvfb with several cards (see tests/common/card_world.sh): set writes to
# the drive the user chose and nowhere else.
#  * Two cards, the second chosen; a third plugged (sorting first) and the first pulled: the
#    second stays chosen and set writes there alone.
#  * A removable card mounted on /home is the system's place: it is never listed, and set
#    writes nothing there.
#   drive_choice_test.sh PROGRAM PROBE-PLUGINS
# Exit 77 (skipped) when this machine cannot do it.
set -u
. "$(dirname "$0")/../common/card_world.sh"
enter_card_world "$@"
program=${1:?usage: drive_choice_test.sh PROGRAM PROBE-PLUGINS}
plugins=${2:?usage: drive_choice_test.sh PROGRAM PROBE-PLUGINS}

for name in FIRST SECOND THIRD SYSTEM; do new_card "$name" ext2; done
start_program "$program" ru_RU.UTF-8 "$plugins"

# A card on /home, where the system lives: not offered, so set stays disabled.
plug_card SYSTEM /home
plug_card FIRST /media/u/FIRST
wait_shows TForm1/ComboBox2/item0 /media/u/FIRST/
shows TForm1/ComboBox2/item1 "" || fail "a second drive is listed: $(shown TForm1/ComboBox2/item1)"

plug_card SECOND /media/u/SECOND
wait_shows TForm1/ComboBox2/item1 /media/u/SECOND/
choose_drive 1
wait_shows TForm1/ComboBox2/row 1

plug_card THIRD /media/u/0THIRD # sorts before the others
wait_shows TForm1/ComboBox2/item0 /media/u/0THIRD/
shows TForm1/ComboBox2/row 2 || fail "plugging a card moved the choice to row $(shown TForm1/ComboBox2/row)"
unplug_card /media/u/FIRST
wait_shows TForm1/ComboBox2/item1 /media/u/SECOND/
shows TForm1/ComboBox2/row 1 || fail "pulling a card moved the choice to row $(shown TForm1/ComboBox2/row)"

press_set_until_confirmed || fail "set was not confirmed"
close_confirmation
[ -f /media/u/SECOND/TAG.txt ] || fail "the chosen card got no time file"
for place in /media/u/0THIRD /home /media/u/FIRST; do
    [ ! -e "$place/TAG.txt" ] || fail "set wrote to $place, which the user did not choose"
done
echo "set wrote to the card the user chose, through a plug and a pull elsewhere; /home was never offered"

grep -i "error\|warning" "$work/stderr" && fail "the program complained"
echo PASS

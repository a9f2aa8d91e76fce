#!/bin/bash
# An own format in the real program under Xvfb (see tests/common/card_world.sh): the owner adds
# the 808 #8 key-chain's three-line format from its starting point, chooses it in the main window
# and sets the card, which then holds "[date]", the date and the time, each line ending CR LF;
# removed and saved, it is gone after a restart, and the settings file is left as it was.
#   own_formats_test.sh PROGRAM PROBE-PLUGINS
set -u
. "$(dirname "$0")/../common/card_world.sh"
enter_card_world "$@"
program=${1:?usage: own_formats_test.sh PROGRAM PROBE-PLUGINS}
plugins=${2:?usage: own_formats_test.sh PROGRAM PROBE-PLUGINS}

new_card CAM ext2
card=/media/u/CAM
formats=$work/program/Zentrik-formats.ini
own_row=10 # own formats follow the ten models

# own_formats_window: from the main window, through the settings window; leaves its origin in fx fy
own_formats_window() {
    click_at $((mx + 293)) $((my + 87)) # settings
    read -r sx sy < <(wait_window 400 526 10) || fail "no settings window"
    click_at $((sx + 326)) $((sy + 439)) # own formats…
    read -r fx fy < <(wait_window 600 445 10) || fail "no own formats window"
}
# save_own_formats: saves them and leaves the settings window for the main one
save_own_formats() {
    click_at $((fx + 447)) $((fy + 424))
    wait_until 10 eval '! window_of_size 600 445 >/dev/null' || fail "the own formats window stayed"
    click_at $((sx + 293)) $((sy + 87)) # back to the main window
    wait_until 10 eval '! window_of_size 400 526 >/dev/null' || fail "the settings window stayed"
}

start_program "$program" ru_RU.UTF-8 "$plugins"
plug_card CAM "$card"
wait_shows TForm1/ComboBox2/item0 "$card/"
settings_before=$(cat "$work/program/Zentrik.ini" 2>/dev/null | md5sum)

own_formats_window
click_at $((fx + 53)) $((fy + 424)) # add: the starting points
sleep 0.3 # the menu opens
xdotool key Down Return # the first: 808 #8
save_own_formats
wait_shows TForm1/ComboBox3/item$own_row "808 #8"
grep -qF "tag.txt" "$formats" || fail "the format was not stored: $(cat "$formats" 2>&1)"

click_at $((mx + 99)) $((my + 146)) # the model list
sleep 0.3 # its popup opens
xdotool key End Return
wait_shows TForm1/ComboBox3/row "$own_row"
before=$(date +%s)
press_set_until_confirmed || fail "set was not confirmed"
after=$(date +%s)
close_confirmation
file=$card/tag.txt
[ -f "$file" ] || fail "no $file: $(ls -A "$card" | xargs)"
matched=""
for ((t = before; t <= after; t++)); do
    [ "$(od -An -c "$file")" = "$(printf '[date]\r\n%s\r\n%s\r\n' "$(date -d "@$t" +%Y/%m/%d)" \
        "$(date -d "@$t" +%H:%M:%S)" | od -An -c)" ] && matched=$t
done
[ -n "$matched" ] || fail "unexpected $file: $(od -c "$file" | head -n 4)"
echo "the card holds the three lines for $(date -d "@$matched" '+%F %T')"

own_formats_window
click_at $((fx + 100)) $((fy + 35)) # the format in the list
click_at $((fx + 147)) $((fy + 424)) # remove
save_own_formats
wait_shows TForm1/ComboBox3/row 0 # the model list falls back to the first model

kill "$app" && wait "$app"
start_program "$program" ru_RU.UTF-8 "$plugins"
wait_shows TForm1/ComboBox3/row 0
[ -z "$(shown TForm1/ComboBox3/item$own_row)" ] || fail "the removed format came back"
[ "$(cat "$work/program/Zentrik.ini" 2>/dev/null | md5sum)" = "$settings_before" ] ||
    fail "the settings file changed with the own formats"
echo "removed, the format stays gone after a restart"

grep -i "error\|warning" "$work/stderr" && fail "the program complained"
echo PASS

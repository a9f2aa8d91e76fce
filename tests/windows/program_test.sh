#!/bin/bash
# program_test.sh ZENTRIK-VESMAR.EXE [SCREENSHOT-FOLDER]
# The Windows program under Wine on Xvfb, as a camera owner uses it. Runs in the Wine prefix
# that build.sh prepares: M: is a removable drive labelled КАМЕРА whose folder is
# $WINEPREFIX/card. From a copy of the .exe in a writable folder:
#   * the first start shows the main window and writes Zentrik.ini beside the .exe, 70 lines;
#   * set writes M:\TAG.txt with the exact line and shows the confirmation;
#   * Q5 with "НЕТ" writes M:\TIMERSET.txt exactly;
#   * a second copy hands over to the first and ends; a copy ended hard does not stop the next;
#   * under en_US, too, the card is listed and set writes to it; the 808 #8 own format, added
#     from its starting point, writes M:\tag.txt's three lines;
#   * the command line: `list` shows M: and its label, `set --drive M: --model MD80` writes
#     M:\TAG.txt exactly and says so, an unknown model exits 2 and writes nothing;
#   * with a folder given, the main and settings windows are drawn into it, in both languages.
set -u
exe=${1:?usage: program_test.sh PATH/TO/zentrik-vesmar.exe [SCREENSHOT-FOLDER]}
shots=${2:-}
[ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX/card" ] || { echo "program_test.sh: run it through ./build.sh windows-program"; exit 2; }
for tool in Xvfb xdotool wine; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-windows.XXXXXX")
card=$WINEPREFIX/card
# shellcheck source=../common/xvfb.sh
. "$(dirname "$0")/../common/xvfb.sh"
[ -n "${DISPLAY:-}" ] || start_xvfb "$work" # the one Wine's prefix started with, if any
trap 'wine taskkill /im zentrik-vesmar.exe >/dev/null 2>&1; kill ${xvfb_pid:-} 2>/dev/null; rm -rf "$work"' EXIT

mkdir "$work/program"
cp "$exe" "$work/program/zentrik-vesmar.exe"
ini=$work/program/Zentrik.ini
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The program's windows, by width: the main window is 400 wide, the settings window 400 and
# 526 high, a confirmation 322. No window manager runs, so a window is its client area.
window_of_size() { # WIDTH [HEIGHT]
    local id
    for id in $(xdotool search --onlyvisible --name "^Zentrik Vesmar by Dalvenor$" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -eq "$1" ] && { [ -z "${2:-}" ] || [ "$HEIGHT" -eq "$2" ]; } && { echo "$id $X $Y"; return 0; }
    done
    return 1
}
wait_window() { # SECONDS WIDTH [HEIGHT]
    local tries=$(($1 * 10))
    shift
    for _ in $(seq "$tries"); do window_of_size "$@" && return 0; sleep 0.1; done
    return 1
}
click_at() { xdotool mousemove "$1" "$2" click 1; sleep 0.3; }
start_program() { # LANG
    LANG=$1 LC_ALL='' wine "$work/program/zentrik-vesmar.exe" >/dev/null 2>&1 &
    echo $!
}
stop_program() {
    wine taskkill /im zentrik-vesmar.exe >/dev/null 2>&1
    for _ in $(seq 50); do window_of_size 400 >/dev/null || return 0; sleep 0.1; done
}
lines_of() { tr -cd '\n' <"$1" | wc -c; }

# The file's one line must be what `format` gives for a second between two moments.
expect_time_file() { # FILE FORMAT BEFORE AFTER
    local t
    [ -f "$1" ] || { fail "no $(basename "$1") on the card: $(ls -A "$card")"; return; }
    for ((t = $3; t <= $4; t++)); do
        [ "$(cat "$1")" = "$(date -d "@$t" "$2")"$'\r' ] && return 0
    done
    fail "unexpected $(basename "$1"): $(od -c "$1" | head -n 3)"
}

# Presses set and closes the confirmation; prints the seconds around the press.
press_set() { # X Y
    local before after id cx cy
    before=$(date +%s)
    click_at $(($1 + 200)) $(($2 + 528))
    read -r id cx cy < <(wait_window 5 322) || { fail "no confirmation after set"; echo "$before $(date +%s)"; return; }
    after=$(date +%s)
    click_at $((cx + 163)) $((cy + 85)) # its exit button
    for _ in $(seq 30); do window_of_size 322 >/dev/null || break; sleep 0.1; done
    echo "$before $after"
}

choose_row() { # X Y ROW: opens a list at X Y, moves to the row and takes it
    click_at "$1" "$2"
    xdotool key Home
    local i
    for ((i = 0; i < $3; i++)); do xdotool key Down; done
    xdotool key Return
    sleep 0.3
}

# The settings window's exit button hides it, which Wine with no window manager takes a moment
# over; the main window lies under it until then.
close_settings() { # X Y of the settings window
    click_at $(($1 + 293)) $(($2 + 87))
    wait_until 10 eval '! window_of_size 400 526 >/dev/null' || fail "the settings window stayed"
}

# An own format: the 808 #8 key-chain's three lines from their starting point, added through
# the settings window, chosen after the ten and set to M:.
set_own_format() { # X Y of the main window
    local settings sx sy fx fy before after t matched=""
    click_at $(($1 + 293)) $(($2 + 87)) # the settings button
    read -r settings sx sy < <(wait_window 5 400 526) || { fail "the settings window did not open"; return; }
    click_at $((sx + 326)) $((sy + 439)) # own formats…
    read -r _ fx fy < <(wait_window 5 600 445) || { fail "the own formats window did not open"; return; }
    click_at $((fx + 53)) $((fy + 424)) # add: the starting points
    xdotool key Down Return
    sleep 0.3
    click_at $((fx + 447)) $((fy + 424)) # save
    wait_until 10 eval '! window_of_size 600 445 >/dev/null' || fail "the own formats window stayed"
    close_settings "$sx" "$sy"
    grep -qF "file=tag.txt" "$work/program/Zentrik-formats.ini" 2>/dev/null ||
        fail "the own format was not kept beside the .exe"
    choose_row $(($1 + 100)) $(($2 + 146)) 10 # ComboBox3: the own format after the ten
    rm -f "$card/tag.txt" "$card/TAG.txt" # Wine would write into the other, letter case aside
    read -r before after < <(press_set "$1" "$2")
    for ((t = before; t <= after; t++)); do
        [ "$(od -An -c "$card/tag.txt" 2>/dev/null)" = "$(printf '[date]\r\n%s\r\n%s\r\n' \
            "$(date -d "@$t" +%Y/%m/%d)" "$(date -d "@$t" +%H:%M:%S)" | od -An -c)" ] && matched=$t
    done
    [ -n "$matched" ] || fail "unexpected tag.txt: $(od -c "$card/tag.txt" 2>&1 | head -n 4)"
    rm -f "$card/tag.txt"
}

# First start, Russian.
started=$(date +%s%N)
start_program ru_RU.UTF-8 >/dev/null
if read -r main mx my < <(wait_window 30 400 558); then
    echo "the main window showed $((($(date +%s%N) - started) / 1000000)) ms after the start (Wine warm)"
else
    fail "the main window never showed"
    exit 1
fi
ini_complete() { [ -f "$ini" ] && [ "$(lines_of "$ini")" -eq 70 ]; }
wait_until 10 ini_complete || fail "Zentrik.ini beside the .exe is missing or not 70 lines"
[ -n "$shots" ] && mkdir -p "$shots" && import -window "$main" "$shots/windows-main-ru.png"

rm -f "$card/TAG.txt" "$card/TIMERSET.txt"
read -r before after < <(press_set "$mx" "$my")
expect_time_file "$card/TAG.txt" "+%Y-%m-%d %H:%M:%S" "$before" "$after"

choose_row $((mx + 100)) $((my + 146)) 5 # ComboBox3: Q5
choose_row $((mx + 100)) $((my + 216)) 1 # ComboBox4: "НЕТ"
read -r before after < <(press_set "$mx" "$my")
expect_time_file "$card/TIMERSET.txt" "+%Y%m%d%H%M%S N" "$before" "$after"

if [ -n "$shots" ]; then
    click_at $((mx + 293)) $((my + 87)) # the settings button
    if read -r settings _ < <(wait_window 5 400 526); then
        import -window "$settings" "$shots/windows-settings-ru.png"
    else
        fail "the settings window did not open"
    fi
fi

# A second copy hands over to the first and ends.
second=$(start_program ru_RU.UTF-8)
ended=0
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || { ended=1; break; }; sleep 0.1; done
[ "$ended" -eq 1 ] || fail "a second copy did not end within 10 s"
[ "$(xdotool search --onlyvisible --name "^Zentrik Vesmar by Dalvenor$" 2>/dev/null | wc -l)" -ge 1 ] ||
    fail "the first copy is gone"

# A copy ended hard leaves its lock behind; the next start must not mind.
wineserver -k >/dev/null 2>&1
wineserver -w
wine cmd /c exit >/dev/null 2>&1 # the prefix's server back up, as a user's next start would
start_program en_US.UTF-8 >/dev/null
if read -r main mx my < <(wait_window 30 400 558); then
    sleep 1 # the clock's first second drawn, for the picture
    [ -n "$shots" ] && import -window "$main" "$shots/windows-main-en.png"
    choose_row $((mx + 100)) $((my + 146)) 0 # MD80, whatever the card was set with before
    rm -f "$card/TAG.txt"
    read -r before after < <(press_set "$mx" "$my")
    expect_time_file "$card/TAG.txt" "+%Y-%m-%d %H:%M:%S" "$before" "$after"
    if [ -n "$shots" ]; then
        for _ in $(seq 30); do window_of_size 322 >/dev/null || break; sleep 0.1; done
        sleep 0.5
        click_at $((mx + 293)) $((my + 87))
        if read -r settings sx sy < <(wait_window 5 400 526); then
            import -window "$settings" "$shots/windows-settings-en.png"
            close_settings "$sx" "$sy"
        fi
    fi
    set_own_format "$mx" "$my"
else
    fail "after a copy was ended hard, the next start showed no window"
fi
stop_program

# The command line: the .exe given arguments prints to whoever started it and shows no window.
cli() { # ARGS...: the output in $work/cli-out with Linux line ends; returns the exit status
    LANG=en_US.UTF-8 LC_ALL='' wine "$work/program/zentrik-vesmar.exe" "$@" >"$work/cli-raw" 2>"$work/cli-err"
    local status=$?
    tr -d '\r' <"$work/cli-raw" >"$work/cli-out"
    return "$status"
}
if cli list; then
    awk -F '\t' '$1 == "M:\\" && $2 == "КАМЕРА" { found = 1 } END { exit !found }' "$work/cli-out" ||
        fail "the command line's list does not show M: as КАМЕРА: $(od -c "$work/cli-out" | head -n 5)"
else
    fail "the command line's list exited $?: $(cat "$work/cli-err")"
fi
rm -f "$card/TAG.txt"
before=$(date +%s)
cli set --drive M: --model MD80 || fail "the command line's set exited $?: $(cat "$work/cli-err")"
after=$(date +%s)
expect_time_file "$card/TAG.txt" "+%Y-%m-%d %H:%M:%S" "$before" "$after"
grep -qF 'M:\TAG.txt ' "$work/cli-out" || fail "the command line's set said: $(cat "$work/cli-out")"
rm -f "$card/TAG.txt"
cli set --drive M: --model Q9
status=$?
[ "$status" -eq 2 ] || fail "an unknown model exited $status, not 2"
[ ! -e "$card/TAG.txt" ] || fail "an unknown model wrote to the card"
window_of_size 400 >/dev/null && fail "the command line showed a window"

[ "$failures" -eq 0 ] || { echo "program_test.sh: $failures failed"; exit 1; }
echo "program_test.sh: PASS"

#!/bin/bash
# The real program under Xvfb against a real card: an ext2 image on a loop device that claims to
# be removable, mounted under /media while the program runs, in a private mount namespace.
# Plugged, the card is listed within a second (set becomes usable); set writes the time file
# there, replacing a link of that name without touching what it points to; on a full card set
# says so and leaves the earlier file whole; the card unmounts at once (nothing held open);
# unplugged, it leaves the list within a second and the program runs on.
# Exit 77 (skipped) with the reason when this machine cannot do it.
set -u
program=${1:?usage: real_card_test.sh PATH/TO/zentrik-vesmar}

# shellcheck source=../integration/removable_card.sh
. "$(dirname "$0")/../integration/removable_card.sh"
prepare_removable_card Xvfb xdotool

# shellcheck disable=SC2016 # expanded by the inner shell
unshare -m --propagation private bash -c '
    set -u
    program=$1 loop=$2 flagFile=$3 card=$4 work=$5
    fail() { echo "FAIL: $*"; cat "$work/stderr" 2>/dev/null; exit 1; }
    flag=/sys/block/${loop#/dev/}/removable
    mount --bind "$flagFile" "$flag" || { echo "SKIP: cannot bind-mount over $flag"; exit 77; }

    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
    export DISPLAY=:$(cat "$work/display") XDG_RUNTIME_DIR=$work HOME=$work LANG=ru_RU.UTF-8 LC_ALL=
    for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
    "$program" 2>"$work/stderr" &
    app=$!
    trap "kill $app $xvfb 2>/dev/null" EXIT

    # The windows of the program, by size: the main window is 400 wide, a confirmation 322.
    window_of_width() {
        local id
        for id in $(xdotool search --onlyvisible --name "Zentrik" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            [ "$WIDTH" -eq "$1" ] && { echo "$X $Y"; return 0; }
        done
        return 1
    }
    wait_window() {
        for _ in $(seq 60); do window_of_width "$1" && return 0; sleep 0.05; done
        return 1
    }
    click_at() { xdotool mousemove "$1" "$2" click 1; }

    read -r mx my < <(wait_window 400) || fail "the main window never showed"
    sleep 0.3
    mount "$loop" "$card" || fail "cannot mount the card"
    sleep 1 # the card must be listed within this second
    printf keep >"$work/outside"
    ln -s "$work/outside" "$card/TAG.txt" # a hostile card: the time file'"'"'s name links off the card
    before=$(date +%s)
    click_at $((mx + 200)) $((my + 528)) # the set button
    read -r cx cy < <(wait_window 322) || fail "no confirmation within 3 s of pressing set"
    after=$(date +%s)
    [ -f "$card/TAG.txt" ] || fail "no time file on the card: $(ls -A "$card")"
    # MD80, the first model: date with dashes, time with colons, a space between, CR LF.
    ok=0
    for ((t = before; t <= after; t++)); do
        [ "$(cat "$card/TAG.txt")" = "$(date -d "@$t" "+%Y-%m-%d %H:%M:%S")"$'\''\r'\'' ] && ok=1
    done
    [ "$ok" -eq 1 ] || fail "unexpected time file: $(od -c "$card/TAG.txt")"
    [ "$(cat "$work/outside")" = keep ] && [ ! -L "$card/TAG.txt" ] || fail "set wrote through the link"
    written=$(cat "$card/TAG.txt")
    click_at $((cx + 163)) $((cy + 85)) # the confirmation exit button
    for _ in $(seq 30); do window_of_width 322 >/dev/null || break; sleep 0.1; done
    window_of_width 322 >/dev/null && fail "the confirmation did not close"

    # A full card: set must fail with a message and keep the earlier file as it was.
    dd if=/dev/zero of="$card/filler" bs=1k 2>/dev/null # to the last block
    click_at $((mx + 200)) $((my + 528))
    message=""
    for _ in $(seq 30); do
        for id in $(xdotool search --onlyvisible --name "Zentrik" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            [ "$WIDTH" -ne 400 ] && message=$id
        done
        [ -n "$message" ] && break
        sleep 0.1
    done
    [ -n "$message" ] || fail "set on a full card showed no message"
    window_of_width 322 >/dev/null && fail "set on a full card was confirmed"
    [ "$(cat "$card/TAG.txt")" = "$written" ] || fail "the full card lost its earlier time file"
    [ "$(ls -A "$card" | LC_ALL=C sort | xargs)" = "TAG.txt filler lost+found" ] || fail "left behind: $(ls -A "$card" | xargs)"
    xdotool key --window "$message" Return
    rm "$card/filler"
    echo "set replaced a link without following it, and on a full card failed and kept the earlier file"

    umount "$card" || fail "the card could not be unmounted right after the sets"
    echo "the card unmounted at once"
    sleep 1
    kill -0 "$app" 2>/dev/null || fail "the program ended after the card was pulled"
    # Gone from the list within the second, set is disabled: a press shows nothing at all.
    click_at $((mx + 200)) $((my + 528))
    sleep 0.5
    [ "$(xdotool search --onlyvisible --name "Zentrik" 2>/dev/null | wc -l)" -eq 1 ] ||
        fail "set still answered a second after the card was pulled"
    window_of_width 322 >/dev/null && fail "the confirmation did not close"
    grep -i "error\|warning" "$work/stderr" && fail "the program complained"
    echo PASS
' zv-real-card "$program" "$loop" "$flag_file" "$card" "$work"

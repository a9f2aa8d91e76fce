#!/bin/bash
# The real program under Xvfb against a real card: an ext2 image on a loop device that claims to
# be removable, mounted under /media while the program runs, in a private mount namespace.
# Plugged, the card is listed (set becomes usable, and the time it took is printed); set writes
# the time file there, replacing a link of that name without touching what it points to; on a full card set
# says so and leaves the earlier file whole; the card unmounts at once (nothing held open);
# unplugged, it leaves the list and the program runs on. Every wait is for a state, never a time.
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

    . "$6"
    start_xvfb "$work" || fail "no X server"
    export XDG_RUNTIME_DIR=$work HOME=$work LANG=ru_RU.UTF-8 LC_ALL=
    "$program" 2>"$work/stderr" &
    app=$!
    trap "kill $app $xvfb_pid 2>/dev/null" EXIT

    # The windows of the program, by size: the main window is 400 wide, a confirmation 322.
    window_of_width() {
        local id
        for id in $(xdotool search --onlyvisible --name "Zentrik" 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            [ "$WIDTH" -eq "$1" ] && { echo "$X $Y"; return 0; }
        done
        return 1
    }
    wait_window() { # WIDTH [SECONDS]
        local tries=$((${2:-10} * 20))
        for _ in $(seq "$tries"); do window_of_width "$1" && return 0; sleep 0.05; done
        return 1
    }
    click_at() { xdotool mousemove "$1" "$2" click 1; }
    windows_shown() { xdotool search --onlyvisible --name "Zentrik" 2>/dev/null | wc -l; }
    # Set is disabled until the card is listed and a press then does nothing, so pressing until
    # the confirmation answers waits for the listing itself, however slow the machine is.
    press_set_until_confirmed() {
        local deadline=$(($(date +%s) + 15))
        while [ "$(date +%s)" -lt "$deadline" ]; do
            click_at $((mx + 200)) $((my + 528)) # the set button
            window_of_width 322 >/dev/null && return 0
            wait_window 322 1 >/dev/null && return 0
        done
        return 1
    }
    # Once the card is gone set is disabled again: a press opens no window at all. A press that
    # came before the poll noticed shows an error, which is closed and the press tried again.
    press_set_until_ignored() {
        local deadline=$(($(date +%s) + 15)) id
        while [ "$(date +%s)" -lt "$deadline" ]; do
            click_at $((mx + 200)) $((my + 528))
            sleep 0.5 # a press that does something shows its window well within this
            [ "$(windows_shown)" -eq 1 ] && return 0
            window_of_width 322 >/dev/null && return 1
            for id in $(xdotool search --onlyvisible --name "Zentrik" 2>/dev/null); do
                eval "$(xdotool getwindowgeometry --shell "$id")"
                [ "$WIDTH" -ne 400 ] && press_return_in_focused_window
            done
        done
        return 1
    }

    read -r mx my < <(wait_window 400) || fail "the main window never showed"
    printf keep >"$work/outside"
    mount "$loop" "$card" || fail "cannot mount the card"
    ln -s "$work/outside" "$card/TAG.txt" # a hostile card: the time file'"'"'s name links off the card
    plugged=$(date +%s%N)
    before=$(date +%s)
    press_set_until_confirmed || fail "the card was never listed, or set never confirmed"
    read -r cx cy < <(window_of_width 322)
    after=$(date +%s)
    echo "the card was listed and set $((($(date +%s%N) - plugged) / 1000000)) ms after it was mounted"
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
    wait_until 10 eval "! window_of_width 322 >/dev/null" || fail "the confirmation did not close"

    # A full card: set must fail with a message and keep the earlier file as it was.
    dd if=/dev/zero of="$card/filler" bs=1k 2>/dev/null # to the last block
    click_at $((mx + 200)) $((my + 528))
    message=""
    for _ in $(seq 100); do
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
    press_return_in_focused_window
    rm "$card/filler"
    echo "set replaced a link without following it, and on a full card failed and kept the earlier file"

    umount "$card" || fail "the card could not be unmounted right after the sets"
    echo "the card unmounted at once"
    press_set_until_ignored || fail "set still answered long after the card was pulled"
    kill -0 "$app" 2>/dev/null || fail "the program ended after the card was pulled"
    [ -z "$(ls -A "$card")" ] || fail "set wrote into the bare mount point: $(ls -A "$card")"
    grep -i "error\|warning" "$work/stderr" && fail "the program complained"
    echo PASS
' zv-real-card "$program" "$loop" "$flag_file" "$card" "$work" "$(dirname "$0")/../common/xvfb.sh"

# Sourced by the process tests that drive the real program against simulated camera cards.
# They run as root in a private mount namespace of their own: each card is a file-system image
# on a loop device whose sysfs "removable" flag is bind-mounted to read 1, mounted under a
# private /media while the program runs, so the program's real Linux probe sees a removable
# drive come and go. Nothing of it is seen outside the namespace, and all of it goes on exit.
#
#   . tests/common/card_world.sh
#   enter_card_world "$@"          # first thing: re-runs the script inside the namespace
#   new_card CAM ext2              # or exfat (case-blind, through FUSE as fuseblk)
#   start_program PROGRAM          # under a private X server, settings in a folder of its own
#   plug_card CAM /media/u/CAM     # mount it
#   press_set_until_confirmed      # ...
#
# A test that cannot run here (not root, no loop devices, a tool missing) exits 77: skipped.

card_world_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=xvfb.sh
. "$card_world_dir/xvfb.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}

fail() {
    echo "FAIL: $*"
    [ -s "${work:-/nonexistent}/stderr" ] && cat "$work/stderr"
    exit 1
}

# enter_card_world ARGS...: checks what the world needs and re-runs the calling script, with its
# arguments, in a private mount namespace. Returns inside the namespace only.
enter_card_world() {
    if [ -z "${ZV_CARD_WORLD:-}" ]; then
        [ "$(id -u)" -eq 0 ] || skip "needs root (loop devices and mounts)"
        local tool
        for tool in unshare losetup mke2fs mount umount truncate Xvfb xdotool; do
            command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
        done
        [ -e /dev/loop-control ] || skip "no loop device support (/dev/loop-control missing)"
        unshare -m --propagation private true 2>/dev/null || skip "cannot make a private mount namespace"
        [ -d /media ] || mkdir /media || skip "cannot make /media"
        ZV_CARD_WORLD=1 exec unshare -m --propagation private "$0" "$@"
    fi
    work=$(mktemp -d "${TMPDIR:-/tmp}/zv-cards.XXXXXX") || skip "cannot make a temporary folder"
    chmod 755 "$work"
    mkdir -m 700 "$work/home" "$work/runtime"
    mount -t tmpfs -o mode=755 zv-media /media || skip "cannot mount a private /media"
    card_loops=()
    app=""
    xvfb_pid=""
    trap leave_card_world EXIT
}

# shellcheck disable=SC2317 # run by the trap
leave_card_world() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    local mounted loop
    # Everything mounted here goes with the namespace; the loop devices are the system's own.
    while read -r mounted; do umount -l "$mounted" 2>/dev/null; done < <(findmnt -rn -o TARGET | grep '^/media/' | sort -r)
    for loop in "${card_loops[@]}"; do losetup -d "$loop" 2>/dev/null; done
    rm -rf "$work"
}

# new_card NAME [ext2|exfat] [SIZE]: an image labelled NAME on a loop device that reads as
# removable; its device is left in card_loop_NAME.
new_card() {
    local name=$1 kind=${2:-ext2} size=${3:-4M} image loop
    image=$work/$name.img
    truncate -s "$size" "$image" || skip "cannot create the image"
    case "$kind" in
    ext2) mke2fs -q -t ext2 -L "$name" "$image" || skip "mke2fs failed" ;;
    exfat)
        command -v mkfs.exfat >/dev/null 2>&1 || skip "mkfs.exfat (exfatprogs) is not installed"
        command -v mount.exfat-fuse >/dev/null 2>&1 || skip "mount.exfat-fuse (exfat-fuse) is not installed"
        [ -e /dev/fuse ] || skip "no /dev/fuse"
        mkfs.exfat -L "$name" "$image" >/dev/null 2>&1 || skip "mkfs.exfat failed"
        ;;
    esac
    loop=$(losetup -f --show "$image" 2>/dev/null) || skip "no free loop device"
    card_loops+=("$loop")
    echo 1 >"$work/$name.removable"
    mount --bind "$work/$name.removable" "/sys/block/${loop#/dev/}/removable" ||
        skip "cannot bind-mount over /sys/block/${loop#/dev/}/removable"
    printf -v "card_loop_$name" '%s' "$loop"
    printf -v "card_kind_$name" '%s' "$kind"
}

# plug_card NAME MOUNT-POINT: mounts the card there, making the folder when it is missing.
plug_card() {
    local loop_var=card_loop_$1 kind_var=card_kind_$1
    mkdir -p "$2"
    if [ "${!kind_var}" = exfat ]; then
        mount.exfat-fuse "${!loop_var}" "$2" >/dev/null 2>&1 || fail "cannot mount $1 on $2"
    else
        mount "${!loop_var}" "$2" || fail "cannot mount $1 on $2"
    fi
}

unplug_card() { umount "$1" || fail "cannot unmount $1"; }

# start_program PROGRAM [LANG] [PROBE-PLUGINS]: a copy of the program in a folder of its own (its
# settings go beside it), under a private X server; waits for the main window, whose origin is
# left in mx my. With the window probe's plugin folder its windows are readable (see `shown`).
start_program() {
    [ -n "$xvfb_pid" ] || start_xvfb "$work" || fail "no X server"
    mkdir -p "$work/program"
    cp "$1" "$work/program/zentrik-vesmar"
    local probe=()
    [ -n "${3:-}" ] && probe=(QT_PLUGIN_PATH="$3" QT_QPA_GENERIC_PLUGINS=zvwindowtextprobe
        ZV_TEXT_PROBE_LIVE=1 ZV_TEXT_PROBE_OUT="$work/texts")
    env HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" LANG="${2:-ru_RU.UTF-8}" LC_ALL='' "${probe[@]}" \
        "$work/program/zentrik-vesmar" 2>"$work/stderr" &
    app=$!
    read -r mx my < <(wait_window 400 558 30) || fail "the main window never showed"
}

# The program's windows by size (width and height of the client area: no window manager runs).
window_of_size() { # WIDTH [HEIGHT]: prints "ID X Y" of the first shown
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$app" --name "Zentrik" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -eq "$1" ] && { [ -z "${2:-}" ] || [ "$HEIGHT" -eq "$2" ]; } && { echo "$id $X $Y"; return 0; }
    done
    return 1
}
wait_window() { # WIDTH HEIGHT|"" SECONDS: prints "X Y"
    local tries=$((${3:-10} * 20)) found
    for _ in $(seq "$tries"); do
        found=$(window_of_size "$1" "$2") && { echo "${found#* }"; return 0; }
        sleep 0.05
    done
    return 1
}
windows_shown() { xdotool search --all --onlyvisible --pid "$app" --name "Zentrik" 2>/dev/null | wc -l; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
# The one shown window that is neither the main window nor a confirmation: a message box.
message_box() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$app" --name "Zentrik" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        [ "$WIDTH" -ne 400 ] && [ "$WIDTH" -ne 322 ] && { echo "$id"; return 0; }
    done
    return 1
}

# Set is disabled until a card is listed and a press then does nothing, so pressing until the
# confirmation answers waits for the listing itself, however slow the machine is.
press_set_until_confirmed() {
    local deadline=$(($(date +%s) + 20))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        click_at $((mx + 200)) $((my + 528)) # the set button
        wait_window 322 126 1 >/dev/null && return 0
        message_box >/dev/null && return 1 # set answered, with an error
    done
    return 1
}

# Closes the confirmation with its exit button and waits until it is gone.
close_confirmation() {
    local cx cy
    read -r cx cy < <(wait_window 322 126 5) || fail "no confirmation to close"
    click_at $((cx + 163)) $((cy + 85))
    wait_until 10 eval '! window_of_size 322 126 >/dev/null' || fail "the confirmation did not close"
}

# choose_drive ROW: picks a row of the drive list as a user does: opens it, moves, takes.
choose_drive() {
    click_at $((mx + 108)) $((my + 284))
    sleep 0.3 # the list's popup opens
    xdotool key Home
    local i
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
}

# expect_time_line FILE FORMAT BEFORE AFTER: the file holds FORMAT (date's) for a second between
# two moments, then CR LF.
expect_time_line() {
    local t
    [ -f "$1" ] || fail "no $1: $(ls -A "$(dirname "$1")" | xargs)"
    for ((t = $3; t <= $4; t++)); do
        [ "$(cat "$1")" = "$(date -d "@$t" "$2")"$'\r' ] && return 0
    done
    fail "unexpected $1: $(od -c "$1" | head -n 3)"
}

# With the window probe loaded (start_program's third argument, the probe's plugin folder), the
# program keeps its windows' texts and states in $work/texts, one "Window/Control/part<TAB>value"
# a line: "TForm1/ComboBox2/item1", "TForm1/ComboBox2/row", "TForm1/SetButton/enabled".
shown() { # PLACE: prints its value
    grep -F "$1"$'\t' "$work/texts" 2>/dev/null | head -n 1 | cut -f2-
}
shows() { [ "$(shown "$1")" = "$2" ]; } # PLACE VALUE
wait_shows() { # PLACE VALUE [SECONDS]
    wait_until "${3:-20}" shows "$1" "$2" || fail "$1 is '$(shown "$1")', never '$2'"
}

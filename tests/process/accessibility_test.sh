#!/bin/bash
# The real program as a screen reader finds it, under Xvfb with a card plugged (see
# tests/common/card_world.sh), in Russian and then in English: a private session bus and the
# accessibility bus run beside it, Qt's bridge is switched on without a desktop, and
# atspi_walk.py reads the main and settings windows through AT-SPI and walks the main window's
# tab order. What it checks is told there.
#   accessibility_test.sh PROGRAM PROBE-PLUGINS
# Exit 77 (skipped) when this machine cannot do it.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$(dirname "$0")/../common/card_world.sh"
program=${1:?usage: accessibility_test.sh PROGRAM PROBE-PLUGINS}
plugins=${2:?usage: accessibility_test.sh PROGRAM PROBE-PLUGINS}

# The system's Python carries pyatspi; one earlier on PATH may not.
python=""
for candidate in /usr/bin/python3 python3; do
    "$candidate" -c 'import pyatspi' 2>/dev/null && { python=$candidate; break; }
done
[ -n "$python" ] || skip "pyatspi (python3-pyatspi) is not installed"
launcher=""
for candidate in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$candidate" ] && { launcher=$candidate; break; }
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher (at-spi2-core) is not installed"
command -v dbus-daemon >/dev/null || skip "dbus-daemon is not installed"

enter_card_world "$@"

# The session bus and, on it, the accessibility bus that the program and the walk both find
# through it. The launcher ends its own bus, and the registry goes with that bus.
bus_pid=""
launcher_pid=""
start_buses() {
    local answer
    answer=$(dbus-daemon --session --fork --print-address=1 --print-pid=1) || fail "no session bus"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 <<<"$answer")
    bus_pid=$(sed -n 2p <<<"$answer")
    export DBUS_SESSION_BUS_ADDRESS
    XDG_RUNTIME_DIR=$work/runtime "$launcher" --launch-immediately >/dev/null 2>&1 &
    launcher_pid=$!
}
# shellcheck disable=SC2317 # run by the trap
stop_buses() {
    [ -n "$launcher_pid" ] && kill "$launcher_pid" 2>/dev/null && wait "$launcher_pid"
    [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
}
# shellcheck disable=SC2317 # run by the trap
stop_program() {
    [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app"
    app=""
}
trap 'stop_program; stop_buses; leave_card_world' EXIT

new_card CAM ext2
card=/media/u/CAM
start_xvfb "$work" || fail "no X server"
start_buses
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 # Qt's bridge speaks without a desktop asking

failed=0
for locale in ru_RU.UTF-8 en_US.UTF-8; do
    echo "== $locale"
    rm -f "$work/texts" # the earlier run's
    start_program "$program" "$locale" "$plugins"
    mountpoint -q "$card" || plug_card CAM "$card"
    wait_shows TForm1/ComboBox2/item0 "$card/"
    # No window manager runs: the main window gets the keyboard as a click would give it.
    read -r main_id _ < <(window_of_size 400 558) || fail "the main window is gone"
    xdotool windowfocus --sync "$main_id" || fail "the main window cannot take the keyboard"
    "$python" "$here/atspi_walk.py" "$app" "${locale%%_*}" || failed=1
    kill -0 "$app" 2>/dev/null || fail "the program ended under the walk"
    stop_program
done
[ "$failed" -eq 0 ] || fail "a screen reader finds faults (above)"
echo PASS

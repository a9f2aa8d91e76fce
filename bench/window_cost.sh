#!/bin/bash
# The program's running cost against the floor, side by side under one Xvfb, all at the same time:
#   * bare: two empty 1 ms Qt timers; the program's own measure (both windows, real clock and
#     probe) and the real executable with its settings window opened by a click;
#   * CPU share of each over SECONDS, the ratio to the floor, paints per second while idle,
#     start-up (from the process's creation) to the first paint of the main window, resident
#     memory after 5 s.
# Fails when a budget is exceeded: ratio 1.15, 40 paints/s, 100 ms, 34 MB. Measure on a quiet
# machine: load raises the floor and hides the program's own cost.
set -euo pipefail
cost=${1:?usage: window_cost.sh PATH/TO/window_cost PATH/TO/zentrik-vesmar [SECONDS]}
program=${2:?usage: window_cost.sh PATH/TO/window_cost PATH/TO/zentrik-vesmar [SECONDS]}
seconds=${3:-10}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-cost.XXXXXX")
chmod 700 "$work"
# shellcheck source=../tests/common/xvfb.sh
. "$(dirname "$0")/../tests/common/xvfb.sh"
start_xvfb "$work"
trap 'kill $xvfb_pid $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work HOME=$work QT_QPA_PLATFORM=xcb

value() { awk -v key="$1" '$1 == key { print $2 }' "$work/readings"; }
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# The real executable first, alone, for the time to its window on the screen.
started=$(date +%s%N)
"$program" &
real=$!
window=""
for _ in $(seq 400); do
    window=$(xdotool search --onlyvisible --pid "$real" --name "Zentrik" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    kill -0 "$real" 2>/dev/null || break
    sleep 0.005
done
[ -n "$window" ] || { echo "the program showed no window"; exit 1; }
echo "real_start_to_window_ms $((($(date +%s%N) - started) / 1000000))" >"$work/real"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 293)) $((Y + 87)) click 1 # the settings button

# Then the floor and the program's own measure beside it, so that whatever else the machine
# does weighs on all three alike.
"$cost" bare "$seconds" >"$work/bare" &
bare=$!
"$cost" program "$seconds" >"$work/own" &
own=$!
sleep 1
ticks=$(cpu_ticks "$real")
sleep "$seconds"
awk -v t=$(($(cpu_ticks "$real") - ticks)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
    'BEGIN { printf "real_cpu_share %.4f\n", t / hz / s }' >>"$work/real"
kill "$real"
wait "$bare" "$own"
cat "$work/bare" "$work/own" "$work/real" | tee "$work/readings"

awk -v bare="$(value bare_cpu_share)" -v own="$(value program_cpu_share)" -v real="$(value real_cpu_share)" \
    'BEGIN { printf "ratio_program_to_bare %.2f\nratio_real_to_bare %.2f\n", own / bare, real / bare }' |
    tee -a "$work/readings"

failed=0
check() { # name limit
    if awk -v v="$(value "$1")" -v limit="$2" 'BEGIN { exit !(v > limit) }'; then
        echo "OVER BUDGET: $1 = $(value "$1") (limit $2)"
        failed=1
    fi
}
check ratio_program_to_bare 1.15
check ratio_real_to_bare 1.15
check paints_per_second 40
check start_to_main_painted_ms 100
check resident_mb_after_5s 34
exit "$failed"

#!/bin/bash
# The real program under Xvfb with a Zentrik.ini that is no file at all: a named pipe (whose
# open would wait for a writer for ever) and a link to /dev/zero (endless bytes). Either way
# the program says the file cannot be read, opens its main window within 10 s once that message
# is closed, and keeps its memory small.
set -u
program=${1:?usage: damaged_settings_test.sh PATH/TO/zentrik-vesmar}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/zv-settings.XXXXXX")
chmod 700 "$work"
# shellcheck source=../common/xvfb.sh
. "$(dirname "$0")/../common/xvfb.sh"
start_xvfb "$work"
app=
trap 'kill $app $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
unset QT_QPA_PLATFORM
# A home of its own: a copy of the program the user has open must not take these starts over.
mkdir -m 700 "$work/home" "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache

# The main window is the only one 400 wide; the message box is any other. Only the windows of
# this start count: the X server drops a killed program's windows only once it notices the
# closed connection, which may be after the next program has started.
shown_widths() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$app" --name "Zentrik" 2>/dev/null); do
        xdotool getwindowgeometry --shell "$id" | sed -n 's/^WIDTH=//p'
    done
}

failures=0
while IFS='|' read -r kind make; do
    folder=$work/$kind
    mkdir "$folder"
    cp "$program" "$folder/zentrik-vesmar" # the settings live beside the program
    (cd "$folder" && eval "$make")
    "$folder/zentrik-vesmar" 2>/dev/null &
    app=$!
    main=0 message=0
    for _ in $(seq 100); do
        widths=$(shown_widths)
        if grep -qx 400 <<<"$widths"; then
            main=1
            # The caption the system shows is the designed one, with nothing added to it.
            xdotool search --all --onlyvisible --pid "$app" --name "^Zentrik Vesmar by Dalvenor$" >/dev/null || main=0
            break
        fi
        if [ -n "$widths" ]; then # the message: close it as a user would
            message=1
            press_return_in_focused_window
        fi
        sleep 0.1
    done
    rss=$(awk '/VmRSS/ { print int($2 / 1024) }' "/proc/$app/status" 2>/dev/null)
    if [ "$main" -ne 1 ] || [ "$message" -ne 1 ] || [ "${rss:-999}" -gt 200 ]; then
        echo "FAIL: $kind as Zentrik.ini: message $message, main window $main, ${rss:-?} MB"
        failures=$((failures + 1))
    else
        echo "$kind as Zentrik.ini: reported, main window shown, $rss MB"
    fi
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
done <<'CASES'
pipe|mkfifo Zentrik.ini
zero|ln -s /dev/zero Zentrik.ini
CASES
[ "$failures" -eq 0 ] || exit 1
echo PASS

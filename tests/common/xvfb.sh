# Sourced by the scripts that show the program's windows. start_xvfb FOLDER starts a private X
# server (its display number is left in FOLDER/display), sets DISPLAY and leaves the server's
# process id in xvfb_pid, for the caller's exit trap to end.
start_xvfb() {
    exec 3>"$1/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$1/display" ] && break; sleep 0.05; done
    DISPLAY=:$(cat "$1/display")
    export DISPLAY
    wait_for_display
}

# The display number can be out before the server takes clients, and a program started in
# between finds no display and ends. Without xdotool (the core's Windows checks) nothing asks.
wait_for_display() {
    command -v xdotool >/dev/null || return 0
    for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "the X server on $DISPLAY takes no clients yet" >&2
}

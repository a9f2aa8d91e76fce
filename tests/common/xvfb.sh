# Sourced by every script that shows a program's windows on a private X server: the process
# tests, the bench, the Windows program and package checks and build.sh. start_xvfb FOLDER starts
# one (its display number is left in FOLDER/display), sets DISPLAY once it takes clients and
# leaves the server's process id in xvfb_pid, for the caller's exit trap to end.
#
# -noreset: by default the server resets itself when its last client leaves, and a program
# started right after the previous one ended (often the only client) connects during the reset,
# finds no display and aborts. A test that starts programs one after another must never see that.
start_xvfb() {
    exec 3>"$1/display"
    Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 200); do [ -s "$1/display" ] && break; sleep 0.05; done
    DISPLAY=:$(cat "$1/display")
    export DISPLAY
    wait_for_display
}

# The display number can be out before the server takes clients, and a program started in
# between finds no display and ends. Without xdotool (the core's Windows checks) nothing asks.
wait_for_display() {
    command -v xdotool >/dev/null || return 0
    for _ in $(seq 200); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.05; done
    echo "the X server on $DISPLAY takes no clients yet" >&2
    return 1
}

# wait_until SECONDS COMMAND...: runs COMMAND every 50 ms until it succeeds; fails after SECONDS.
# For tests that wait for a state (a window shown, a file written), never a fixed time.
wait_until() {
    local tries=$(($1 * 20))
    shift
    for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.05; done
    return 1
}

# Presses Return in the window that has the keyboard, as a user closing a message would. Never
# `xdotool key --window`: the press closes the message, the release then goes to a window that
# is gone, xdotool stops on the error, and the server repeats the Return into whatever window
# comes next (the next program's message, or a button).
press_return_in_focused_window() {
    xdotool key Return
}

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
}

# Sourced by the scripts that open windows. When DISPLAY is unset, starts a private Xvfb on a
# free display number, exports DISPLAY, and stops the server (by its process id) on exit.
xvfb_pid=""
stop_private_display() { [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true; }
trap stop_private_display EXIT
if [ -z "${DISPLAY:-}" ]; then
    for number in $(seq 90 190); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
    done
    # -noreset: by default the server resets when its last client leaves, and a program that
    # opens the next window during that reset fails to reach the display.
    Xvfb ":$number" -screen 0 1920x1080x24 -nolisten tcp -noreset > /dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
fi

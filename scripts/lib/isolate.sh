# Sourced by the scripts whose programs listen on the game's ports (3000, 8080) or open windows.

# `isolate "$0" "$@"` runs the calling script again in a private network namespace that has only
# a loopback, so a console already running on this machine cannot meet the tests, and the console
# lists no address of the machine's own. Root takes a plain namespace, any other user a user
# namespace of its own; where neither is allowed the script runs as it is, once the ports are free.
isolate() { # script arguments...
    [ -z "${KESTRIVON_ISOLATED:-}" ] || return 0
    export KESTRIVON_ISOLATED=1
    local namespace=(unshare --net)
    [ "$(id -u)" -eq 0 ] || namespace=(unshare --user --map-root-user --net)
    if "${namespace[@]}" true 2>/dev/null; then
        exec "${namespace[@]}" bash -c 'ip link set lo up && exec "$0" "$@"' "$@"
    fi
    local port
    for port in 3000 8080; do
        if ss -Hltn "sport = :$port" | grep -q .; then
            echo "${1##*/}: port $port is busy (is a console running?) and this machine allows no private network namespace" >&2
            exit 1
        fi
    done
}

# `private_display "$0" "$@"` runs the calling script again under an Xvfb of its own, even from a
# desktop: the tests click and type into their windows, switch to full screen and read pixels,
# which a person's screen, its modes and its windows must not disturb (nor be disturbed by).
private_display() { # script arguments...
    [ -z "${KESTRIVON_PRIVATE_DISPLAY:-}" ] || return 0
    export KESTRIVON_PRIVATE_DISPLAY=1
    # -noreset: by default the server resets when its last client leaves, and a program that
    # opens the next window during that reset fails to reach the display.
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" "$@"
}

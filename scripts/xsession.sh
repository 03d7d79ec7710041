# shellcheck shell=bash
# A virtual X display with a tray host, for running Pelmora where there is no desktop: the
# end-to-end tests, `make screenshot`, `make bench` and `make run` on a headless machine.
# Source it, then:
#
#   xsession_start    starts Xvfb on a free display and trayer on it, exports DISPLAY; both
#                     stop when the calling shell exits (or at xsession_stop). With
#                     XSESSION_TRAY=later, trayer waits for xsession_start_tray.
#   xsession_start_tray  starts trayer on the display; xsession_stop_tray stops it
#   xsession_stop     stops them now
#   xsession_end PID  ends a program started on the display: SIGTERM, and SIGKILL if it has
#                     not quit 5 s later
#
# Sets xsession_display (":N"), xsession_xvfb_pid and xsession_trayer_pid. Set an EXIT trap of
# your own before xsession_start: the one installed here runs it first, then stops the display.

xsession_xvfb_pid=""
xsession_trayer_pid=""
xsession_guard_pid=""
xsession_dir=""
xsession_display=""

# Waits up to $1 tenths of a second for the command after it to succeed.
xsession_poll() {
    local tenths="$1"
    shift
    local i
    for ((i = 0; i < tenths * 2; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

xsession_has_display_number() {
    [ -s "$xsession_dir/display" ] && grep -q '^[0-9][0-9]*$' "$xsession_dir/display"
}

# The server said its number, or ended.
xsession_display_settled() {
    xsession_has_display_number || ! kill -0 "$xsession_xvfb_pid" 2>/dev/null
}

# Trayer owns the tray selection before it maps its panel, so a visible panel means that a
# Pelmora started now finds a system tray.
xsession_tray_is_up() {
    xdotool search --onlyvisible --class '^trayer$' >/dev/null 2>&1
}

xsession_start() {
    local tool
    for tool in Xvfb trayer xdotool; do
        if ! command -v "$tool" >/dev/null; then
            echo "xsession: $tool is missing; scripts/setup.sh installs it" >&2
            return 1
        fi
    done
    xsession_dir=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-xsession.XXXXXX")

    # The display also goes when this shell is killed outright (a test's time-out), and with it
    # every client of it: trayer and Pelmora lose their connection and exit.
    (
        while kill -0 $$ 2>/dev/null; do sleep 1; done
        kill "$(cat "$xsession_dir/xvfb.pid" 2>/dev/null)" 2>/dev/null
    ) </dev/null >/dev/null 2>&1 &
    xsession_guard_pid=$!
    local previous
    previous=$(trap -p EXIT)
    if [ -n "$previous" ]; then
        eval "set -- $previous"
        # shellcheck disable=SC2064 # the earlier trap's text is meant to be copied now
        trap "$3; xsession_stop" EXIT
    else
        trap xsession_stop EXIT
    fi

    # Displays started at the same moment by other sessions now and then leave one that takes
    # no clients; such a display is given up for another.
    local attempt
    for attempt in 1 2 3 4 5; do
        xsession_start_display && return 0
        echo "xsession: display attempt $attempt failed:" >&2
        cat "$xsession_dir/xvfb.log" >&2
        xsession_stop_display
    done
    xsession_stop
    return 1
}

xsession_start_display() {
    rm -f "$xsession_dir/display"
    # A display number drawn at random rather than the lowest free one: a server that has
    # just ended may still be removing the socket of the number it had, which a new server
    # taking that number at once would lose. Xvfb writes the number to -displayfd once it
    # accepts clients, and ends at once when the number is taken. Both run in sessions of
    # their own, so a Ctrl+C in the terminal reaches only Pelmora, which quits and then has
    # them stopped. -noreset: by default the server starts over each time its last client
    # leaves, and refuses clients meanwhile; the check below is such a client, and trayer,
    # coming right after it, then found no display now and then.
    setsid Xvfb ":$((20 + RANDOM % 980))" -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset \
        3>"$xsession_dir/display" >"$xsession_dir/xvfb.log" 2>&1 &
    xsession_xvfb_pid=$!
    echo "$xsession_xvfb_pid" >"$xsession_dir/xvfb.pid"
    xsession_poll 100 xsession_display_settled
    xsession_has_display_number || return 1
    xsession_display=":$(cat "$xsession_dir/display")"
    export DISPLAY="$xsession_display"
    xsession_poll 50 xdotool getdisplaygeometry >/dev/null 2>&1 || return 1
    [ "${XSESSION_TRAY:-now}" = later ] || xsession_start_tray
}

xsession_stop_display() {
    xsession_stop_tray
    kill "$xsession_xvfb_pid" 2>/dev/null || true
    wait "$xsession_xvfb_pid" 2>/dev/null || true
    xsession_xvfb_pid=""
}

xsession_start_tray() {
    setsid trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --transparent false --tint 0xdddddd >"$xsession_dir/trayer.log" 2>&1 &
    xsession_trayer_pid=$!
    if ! xsession_poll 100 xsession_tray_is_up; then
        echo "xsession: trayer did not show its panel on $DISPLAY within 10 s:" >&2
        cat "$xsession_dir/trayer.log" >&2
        xsession_stop_tray
        return 1
    fi
}

xsession_stop_tray() {
    [ -n "$xsession_trayer_pid" ] || return 0
    kill "$xsession_trayer_pid" 2>/dev/null || true
    wait "$xsession_trayer_pid" 2>/dev/null || true
    xsession_trayer_pid=""
}

xsession_stop() {
    local pid
    for pid in "$xsession_trayer_pid" "$xsession_xvfb_pid" "$xsession_guard_pid"; do
        [ -n "$pid" ] || continue
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    xsession_trayer_pid=""
    xsession_xvfb_pid=""
    xsession_guard_pid=""
    if [ -n "$xsession_dir" ]; then
        rm -rf "$xsession_dir"
        xsession_dir=""
    fi
}

xsession_end() {
    local pid="$1" i
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    # Pelmora quits on SIGTERM through its event loop; a stuck one is killed outright.
    for ((i = 0; i < 50; i++)); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

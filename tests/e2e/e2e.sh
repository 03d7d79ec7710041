# shellcheck shell=bash
# Steps shared by the end-to-end scripts. Source it with the script's arguments set:
#   $1 the pelmora executable, $2 pelmora-window-probe, $3 the source tree.
# Every wait polls with a generous time-out, so a loaded machine only makes a test slower.

app="$1"
probe="$2"
source_dir="$3"
# Long enough for a start on a busy two-core machine; a healthy run needs a fraction of it.
wait_seconds=30

for tool in Xvfb trayer xdotool xclip; do
    if ! command -v "$tool" >/dev/null; then
        echo "e2e: $tool is missing; scripts/setup.sh installs it." >&2
        # make test installs it, so under CI a missing tool is a failure, not a skip.
        [ -n "${CI:-}" ] && exit 1
        exit 77
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-e2e.XXXXXX")
mkdir -m 700 "$work/runtime"
# A fresh user: no settings, no running Pelmora, no desktop session to talk to.
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"
export PELMORA_TRACE_STARTUP=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS
# Where the README says the settings live.
# shellcheck disable=SC2034 # read by the scripts that source this one
config_file="$XDG_CONFIG_HOME/Pelmora/Pelmora.conf"

# shellcheck source=../../scripts/xsession.sh
source "$source_dir/scripts/xsession.sh"

app_pids=()
finish() {
    local status=$?
    local pid
    for pid in "${app_pids[@]}"; do
        xsession_end "$pid"
    done
    if [ "$status" -eq 0 ]; then
        rm -rf "$work"
    else
        echo "e2e: logs and pictures kept in $work" >&2
    fi
}
trap finish EXIT

xsession_start || exit 1

# Says what went wrong, keeps a picture of the screen beside the logs and ends the test.
fail() {
    echo "e2e: FAIL: $*" >&2
    local log
    for log in "$work"/*.log; do
        [ -f "$log" ] || continue
        echo "--- $(basename "$log")" >&2
        cat "$log" >&2
    done
    if "$probe" shot "$work/failure.png" >/dev/null 2>&1; then
        echo "e2e: the screen at the failure: $work/failure.png" >&2
    fi
    exit 1
}

step() {
    echo "e2e: $*"
}

# Runs the command after the description until it succeeds, or fails the test.
wait_until() {
    local what="$1"
    shift
    xsession_poll $((wait_seconds * 10)) "$@" || fail "waited ${wait_seconds} s for $what"
}

is_running() {
    local state
    # A process being reaped still has its /proc entry for a moment, but no status to read.
    state=$(grep -s '^State:' "/proc/$1/status") || return 1
    # Z (zombie) and X (dead) have ended.
    [[ "$state" != *[ZX]* ]]
}

is_gone() {
    ! is_running "$1"
}

# Starts pelmora with its trace on standard error in $work/NAME.log; sets app_pid and app_log.
start_app() {
    app_log="$work/$1.log"
    shift
    "$app" "$@" 2>"$app_log" >>"$work/stdout.log" &
    app_pid=$!
    app_pids+=("$app_pid")
}

# Runs `pelmora ARGUMENTS` while one runs; it must hand over its request and exit 0.
later_start() {
    local status=0
    timeout "$wait_seconds" "$app" "$@" >>"$work/later.log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || fail "'pelmora $*' while one runs ended with status $status"
}

has_lines() {
    local pattern="$1" count="$2" found
    # Nothing at all before the log file exists.
    found=$(grep -c -- "$pattern" "$app_log" 2>/dev/null) || true
    [ "${found:-0}" -ge "$count" ]
}

# Waits for the COUNT-th trace line matching PATTERN from the running pelmora.
wait_for_line() {
    local pattern="$1" count="${2:-1}"
    wait_until "pelmora to print \"$pattern\" (#$count)" has_lines "$pattern" "$count"
}

# The windows of a process on screen, as "ID WIDTH HEIGHT" lines.
visible_windows() {
    local window geometry
    for window in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null \
            | sed -n 's/^ *Geometry: \([0-9]*\)x\([0-9]*\)$/\1 \2/p')
        [ -n "$geometry" ] && echo "$window $geometry"
    done
}

# The tray item is the small window pelmora docks into trayer's panel; the picker is the
# large one.
find_tray_item() {
    tray_item=$(visible_windows "$1" | awk '$2 <= 64 && $3 <= 64 { print $1; exit }')
    [ -n "$tray_item" ]
}

find_picker() {
    picker=$(visible_windows "$1" | awk '$2 > 64 && $3 > 64 { print $1; exit }')
    [ -n "$picker" ]
}

picker_is_hidden() {
    ! find_picker "$1"
}

picker_has_focus() {
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$picker" ]
}

# Clicks the tray item of the running pelmora; the picker must then open with the keyboard.
open_from_tray() {
    wait_until "the tray item of pelmora" find_tray_item "$app_pid"
    local opened
    opened=$(grep -c "window opened" "$app_log" || true)
    xdotool mousemove --window "$tray_item" 8 8 click 1
    wait_for_line "window opened" $((opened + 1))
    wait_until "the picker window on screen" find_picker "$app_pid"
    wait_until "the picker window to take the keyboard" picker_has_focus
}

# Clicks what the probe finds in the open picker: first-tile or search-field.
click_in_picker() {
    local point
    point=$("$probe" "$1" "$picker") || fail "found no $1 in the picker"
    # shellcheck disable=SC2086
    xdotool mousemove --window "$picker" $point click 1
}

clipboard() {
    xclip -o -selection clipboard 2>/dev/null
}

# Puts a known text on the clipboard, so that a later copy shows as a change.
set_sentinel() {
    sentinel="pelmora-e2e-sentinel-$RANDOM"
    printf '%s' "$sentinel" | xclip -selection clipboard >/dev/null 2>&1
}

clipboard_changed() {
    local text
    text=$(clipboard) || return 1
    [ -n "$text" ] && [ "$text" != "$sentinel" ]
}

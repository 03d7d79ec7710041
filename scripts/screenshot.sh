#!/usr/bin/env bash
# `make screenshot`: pictures of the picker window in screenshots/ (light and dark: results,
# the custom form after a failed generation, the empty state), the light results also as
# docs/screenshot-light.png for the README, and the real app with its tray item on a virtual
# display with a tray host (Xvfb and trayer) as screenshots/desktop.png.
set -euo pipefail
build_dir="${1:-build}"
root="$(cd "$(dirname "$0")/.." && pwd)"
case "$build_dir" in /*) ;; *) build_dir="$PWD/$build_dir" ;; esac
driver="$build_dir/scripts/screenshot/pelmora-screenshot"
probe="$build_dir/tests/e2e/pelmora-window-probe"
app="$build_dir/src/ui/pelmora"

for executable in "$driver" "$probe" "$app"; do
    if [ ! -x "$executable" ]; then
        echo "screenshot: $executable is missing; build it first" >&2
        exit 1
    fi
done
mkdir -p "$root/screenshots" "$root/docs"
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-screenshot.XXXXXX")
app_pid=""
cleanup() {
    [ -z "$app_pid" ] || xsession_end "$app_pid"
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"

# The window alone, drawn off screen; the dark one under a dark palette, as a dark desktop
# theme would give it.
for appearance in light dark; do
    flag=()
    [ "$appearance" = dark ] && flag=(--dark)
    QT_QPA_PLATFORM=offscreen "$driver" "${flag[@]}" "$root/screenshots"
done
cp "$root/screenshots/results-light.png" "$root/docs/screenshot-light.png"
echo "$root/docs/screenshot-light.png"

# The real app, opened from its tray item, as a user on a fresh account sees it.
# shellcheck source=xsession.sh
source "$root/scripts/xsession.sh"
xsession_start
export PELMORA_TRACE_STARTUP=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS

"$app" 2>"$work/trace" >/dev/null &
app_pid=$!

# Runs the command after the description until it succeeds, for at most 30 s.
poll() {
    local what="$1" i
    shift
    for ((i = 0; i < 600; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    echo "screenshot: waited 30 s for $what; pelmora said:" >&2
    cat "$work/trace" >&2
    exit 1
}

# The tray item is the small window pelmora docks into trayer's panel.
find_tray_item() {
    local window size
    for window in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        size=$(xdotool getwindowgeometry "$window" 2>/dev/null \
            | sed -n 's/^ *Geometry: \([0-9]*\)x\([0-9]*\)$/\1 \2/p')
        if [ -n "$size" ] && [ "${size% *}" -le 64 ] && [ "${size#* }" -le 64 ]; then
            tray_item="$window"
            return 0
        fi
    done
    return 1
}

window_opened() { grep -q "window opened" "$work/trace"; }

poll "the tray item" find_tray_item
xdotool mousemove --window "$tray_item" 8 8 click 1
poll "the picker window" window_opened
# Moves the pointer off the window, then lets the fade-in end.
xdotool mousemove 600 600
sleep 1
# The top right corner of the screen: the tray and the window below it.
"$probe" shot "$root/screenshots/desktop.png" 0 880 0 400 460
echo "$root/screenshots/desktop.png"

#!/usr/bin/env bash
# Paste After Copy on a virtual X display with a tray host: the time from the release of the
# button on a tile to the face reaching an xterm that had the keyboard before the picker opened
# (the xterm's cat writes it to a file, which bench/ui/bench_ui.py watches). Prints one record
# for scripts/bench-table.sh. PELMORA_BENCH_PASTES sets the number of pastes (15).
set -euo pipefail
export LC_ALL=C.UTF-8
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
probe="$build_dir/tests/e2e/pelmora-window-probe"
helper="$(dirname "$0")/../bench/ui/bench_ui.py"
runs="${PELMORA_BENCH_PASTES:-15}"
target_ms=150

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-bench-paste.XXXXXX")
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=xsession.sh
source "$(dirname "$0")/xsession.sh"
xsession_start

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" PELMORA_TRACE_STARTUP=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS

poll() {
    xsession_poll 300 "$@" || {
        echo "bench-paste: waited 30 s for $*" >&2
        exit 1
    }
}
windows_of() {
    xdotool search --onlyvisible --pid "$1" 2>/dev/null || true
}
find_by_size() {
    local window size
    for window in $(windows_of "$1"); do
        size=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: \([0-9]*\)x.*/\1/p')
        if { [ "$2" = small ] && ((size <= 64)); } || { [ "$2" = large ] && ((size > 64)); }; then
            found="$window"
            return 0
        fi
    done
    return 1
}
picker_gone() { ! find_by_size "$pid" large; }
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

typed="$work/typed"
: >"$typed"
xterm -T pelmora-bench-target -e sh -c "stty -icanon -echo; exec cat >'$typed'" &
pids+=("$!")
find_target() { target=$(xdotool search --onlyvisible --name '^pelmora-bench-target$' | head -n 1); }
poll find_target
"$app" --paste-after-copy on 2>"$work/app.log" &
pid=$!
pids+=("$pid")
poll grep -q "window content ready" "$work/app.log"
poll find_by_size "$pid" small
tray="$found"

for ((run = 0; run < runs; run++)); do
    xdotool windowfocus --sync "$target"
    # Two clicks within the double-click interval would count as one double click.
    sleep 0.5
    xdotool mousemove --window "$tray" 8 8 click 1
    poll find_by_size "$pid" large
    picker="$found"
    poll has_focus "$picker"
    # shellcheck disable=SC2046
    /usr/bin/python3 "$helper" paste "$picker" $("$probe" first-tile "$picker") "$typed" \
        >>"$work/paste.ms"
    poll picker_gone
done

sort -n "$work/paste.ms" | awk -v target="$target_ms" '{ v[NR] = $1 }
    function q(p,   h, b) { h = (NR - 1) * p; b = int(h); return v[b + 1] + (h - b) * (v[b + 2] - v[b + 1]) }
    END {
        p50 = q(0.5); p90 = q(0.9)
        printf "row|paste after copy: tile click → face in xterm|%.1f ms|%.1f ms|%.1f ms||||≤ %d ms|%s|%d\n",
            p50, p90, v[NR], target, p50 <= target ? "ok" : "MISS", NR
    }'

#!/usr/bin/env bash
# The real app on a virtual X display with a tray host (Xvfb and trayer): start-up, opening from
# the tray, typing, memory and idle cost. Each figure has a row for pelmora-floor beside it, the
# smallest Qt Quick window with a tray item, measured the same way: what no app can beat.
# Prints rows of the table that scripts/bench.sh assembles.
#
# Latencies inside the app come from its trace (PELMORA_TRACE_STARTUP): from the tray click's
# arrival, or a key press's, to the next frame on screen. Start-up is timed from the outside,
# from the moment the process is started to its trace line.
set -euo pipefail
export LC_ALL=C.UTF-8
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
floor="$build_dir/bench/floor/pelmora-floor"
probe="$build_dir/tests/e2e/pelmora-window-probe"
cold_runs=5
toggle_runs=10
reopen_runs=5
sample_seconds=10
# Narrowing and widening searches, back to the empty one.
keys=(c a t BackSpace BackSpace BackSpace h a p p y BackSpace BackSpace BackSpace BackSpace
    BackSpace b e a r BackSpace BackSpace BackSpace BackSpace l o v e BackSpace BackSpace
    BackSpace BackSpace)

for executable in "$app" "$floor" "$probe"; do
    if [ ! -x "$executable" ]; then
        echo "bench-app: $executable is missing; build it first" >&2
        exit 1
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-bench.XXXXXX")
pid=""
cleanup() {
    stop_program
    rm -rf "$work"
}
trap cleanup EXIT
# shellcheck source=xsession.sh
source "$(dirname "$0")/xsession.sh"
xsession_start

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" PELMORA_TRACE_STARTUP=1
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS

now_us() { echo $((${EPOCHREALTIME/./})); }
# Milliseconds between two times in µs.
ms_between() { printf '%d.%03d\n' $((($2 - $1) / 1000)) $((($2 - $1) % 1000)); }

# --- the table ---

pad_right() {
    local text="$1" missing=$(($2 - ${#1}))
    ((missing > 0)) && text+=$(printf '%*s' "$missing" '')
    printf '%s' "$text"
}

pad_left() {
    local missing=$(($2 - ${#1}))
    ((missing > 0)) && printf '%*s' "$missing" ''
    printf '%s' "$1"
}

# Prints "median|p90" of the numbers in a file with the printf format given, as BenchTable does.
stats() {
    sort -g "$1" | awk -v format="$2" '{ v[NR - 1] = $1 } END {
        if (NR == 0) { print "-|-"; exit }
        printf format "|" format "\n", v[int(0.5 * (NR - 1))], v[int(0.9 * (NR - 1))] }'
}

# row WHAT TARGET FILE FORMAT: one line of the table from the samples in FILE.
row() {
    local median p90
    IFS='|' read -r median p90 < <(stats "$3" "$4")
    printf '| %s | %s | %s | %s | %6d |\n' "$(pad_right "$1" 58)" "$(pad_left "$median" 12)" \
        "$(pad_left "$p90" 12)" "$(pad_right "$2" 16)" "$(wc -l <"$3")"
}

# The app's row and the floor's under it.
rows() {
    local what="$1" target="$2" name="$3" format="$4"
    row "app: $what" "$target" "$work/app.$name" "$format"
    row "floor: $what" "" "$work/floor.$name" "$format"
}

# --- one program under test ---

# Starts the program with its trace on descriptor 4; sets pid and started (µs).
launch() {
    started=$(now_us)
    exec 4< <(exec "$1" 2>&1 >/dev/null)
    pid=$!
}

stop_program() {
    [ -n "$pid" ] || return 0
    xsession_end "$pid"
    exec 4<&-
    pid=""
    # A clean slate for the next start: no socket left by the one killed.
    rm -f "$XDG_RUNTIME_DIR"/pelmora-*
}

# Reads trace lines until one holding ": WHAT"; sets line and arrived (µs).
await() {
    local what="$1" deadline=$(($(now_us) + 20000000))
    while (($(now_us) < deadline)); do
        IFS= read -r -t 5 -u 4 line || break
        arrived=$(now_us)
        [[ "$line" == *": $what"* ]] && return 0
    done
    echo "bench-app: $name did not print \"$what\" within 20 s" >&2
    exit 1
}

# The number in the line last read: "...: window shown after 12.34 ms" gives 12.34.
traced_ms() {
    local value="${line##* after }"
    echo "${value% ms}"
}

# Runs the command after the description until it succeeds, for at most 20 s.
poll() {
    local what="$1" i
    shift
    for ((i = 0; i < 400; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    echo "bench-app: $name: waited 20 s for $what" >&2
    exit 1
}

# The program's windows on screen, as "ID WIDTH HEIGHT" lines.
visible_windows() {
    local window geometry
    for window in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry "$window" 2>/dev/null \
            | sed -n 's/^ *Geometry: \([0-9]*\)x\([0-9]*\)$/\1 \2/p')
        [ -n "$geometry" ] && echo "$window $geometry"
    done
}

find_tray_item() {
    tray_item=$(visible_windows | awk '$2 <= 64 && $3 <= 64 { print $1; exit }')
    [ -n "$tray_item" ]
}

find_window() {
    window=$(visible_windows | awk '$2 > 64 && $3 > 64 { print $1; exit }')
    [ -n "$window" ]
}

window_is_hidden() { ! find_window; }
window_has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }

last_tray_click=0
click_tray() {
    poll "the tray item" find_tray_item
    # Two clicks within the double-click interval (400 ms) make a double click, which toggles
    # nothing.
    (($(now_us) - last_tray_click > 600000)) || sleep 0.6
    xdotool mousemove --window "$tray_item" 8 8 click 1
    last_tray_click=$(now_us)
}

# Opens the window from the tray and records the app's own figure in FILE.
open_window() {
    click_tray
    await "window shown after"
    traced_ms >>"$1"
    poll "the window on screen" find_window
    poll "the window to take the keyboard" window_has_focus
}

hide_window() {
    click_tray
    poll "the window to hide" window_is_hidden
}

# The picker's views may leave the search field without the keyboard at first; a click into it
# is harmless when it already has it. The floor's one field always has it.
focus_search() {
    if [ "$name" = app ]; then
        local point
        point=$("$probe" search-field "$window")
        # shellcheck disable=SC2086
        xdotool mousemove --window "$window" $point click 1
    fi
    # Past the focus change's frames and the cursor's first blink.
    sleep 0.4
}

# Presses one key and records the time to the next frame in FILE.
press() {
    xdotool key "$1"
    await "keystroke shown after"
    traced_ms >>"$2"
}

rss_mib() {
    awk '/^VmRSS:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$pid/status"
}

# CPU time (ns) and times scheduled, summed over the program's threads.
cpu_and_runs() {
    local task cpu runs total_cpu=0 total_runs=0
    for task in /proc/"$pid"/task/*; do
        # On the CPU (ns), waiting for it (ns), times run.
        read -r cpu _ runs <"$task/schedstat" 2>/dev/null || continue
        total_cpu=$((total_cpu + cpu))
        total_runs=$((total_runs + runs))
    done
    echo "$total_cpu $total_runs"
}

# One sample a second for sample_seconds: CPU per cent into FILE, wakeups a second into FILE2.
sample_idle() {
    local cpu_file="$1" wakeup_file="${2:-/dev/null}" i c0 r0 t0 c1 r1 t1
    read -r c0 r0 < <(cpu_and_runs)
    t0=$(now_us)
    for ((i = 0; i < sample_seconds; i++)); do
        sleep 1
        read -r c1 r1 < <(cpu_and_runs)
        t1=$(now_us)
        awk -v c=$((c1 - c0)) -v r=$((r1 - r0)) -v t=$((t1 - t0)) -v cpu="$cpu_file" \
            -v wakeups="$wakeup_file" 'BEGIN {
                printf "%.4f\n", c / (t * 1000) * 100 >> cpu
                printf "%.2f\n", r / (t / 1e6) >> wakeups }'
        c0=$c1 r0=$r1 t0=$t1
    done
}

# Five cold starts: to the tray item, to the window built hidden, the memory a second later, the
# first opening from the tray and the first key typed.
cold_starts() {
    local run
    for ((run = 0; run < cold_runs; run++)); do
        launch "$executable"
        await "tray shown after"
        ms_between "$started" "$arrived" >>"$work/$name.tray"
        # The trace counts from main(); the rest went to loading and linking the libraries.
        awk -v total="$(ms_between "$started" "$arrived")" -v inside="$(traced_ms)" \
            'BEGIN { printf "%.3f\n", total - inside }' >>"$work/$name.before-main"
        await "window content ready after"
        ms_between "$started" "$arrived" >>"$work/$name.ready"
        sleep 1
        rss_mib >>"$work/$name.rss"
        open_window "$work/$name.first-open"
        focus_search
        press c "$work/$name.first-key"
        stop_program
    done
}

# One long session: typing, open and idle, reopening from the tray, hidden and idle.
session() {
    launch "$executable"
    await "window content ready after"
    open_window /dev/null
    focus_search
    local key
    for key in "${keys[@]}"; do
        press "$key" "$work/$name.key"
        # Lets the results' animations come to rest, so each key starts from a still window.
        sleep 0.4
    done
    sample_idle "$work/$name.open-cpu"
    local run
    for ((run = 0; run < reopen_runs; run++)); do
        hide_window
        open_window "$work/$name.reopen"
    done
    hide_window
    sleep 1
    sample_idle "$work/$name.hidden-cpu" "$work/$name.hidden-wakeups"
    stop_program
}

for name in app floor; do
    executable="$app"
    [ "$name" = floor ] && executable="$floor"
    cold_starts
    session
done

rows "start to main(): loading and linking" "" before-main "%.1f ms"
rows "start to tray item shown" "≤ 120 ms" tray "%.1f ms"
rows "start to window content ready, built hidden" "≤ 250 ms" ready "%.1f ms"
rows "first tray click to window shown (first frame)" "≤ 50 ms" first-open "%.2f ms"
rows "later tray click to window shown (first frame)" "≤ 50 ms" reopen "%.2f ms"
rows "idle RSS a second after start" "≤ 60 MiB" rss "%.1f MiB"
rows "first keystroke to next frame" "≤ 30 ms" first-key "%.2f ms"
rows "keystroke to next frame (search, window open)" "≤ 10 (p90 16) ms" key "%.2f ms"
rows "open and idle: CPU (one-second samples)" "≤ 0.3 %" open-cpu "%.2f %%"
rows "hidden: CPU (one-second samples)" "0 %" hidden-cpu "%.2f %%"
rows "hidden: wakeups a second" "< 1 /s" hidden-wakeups "%.1f /s"

# A later `pelmora --toggle` hands its request to the running one and exits.
name=app
launch "$app"
await "window content ready after"
: >"$work/toggle"
for ((run = 0; run < toggle_runs; run++)); do
    begun=$(now_us)
    "$app" --toggle
    ended=$(now_us)
    ms_between "$begun" "$ended" >>"$work/toggle"
done
stop_program
row "app: second start with --toggle, round trip" "≤ 100 ms" "$work/toggle" "%.2f ms"

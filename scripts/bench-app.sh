#!/usr/bin/env bash
# The real app on a virtual X display with a tray host (Xvfb and trayer), beside pelmora-floor,
# the smallest Qt Quick window with a tray item: what no app can beat. Runs go in rounds, so
# that a busy machine weighs on both alike: the app with no custom kaomoji, the floor, the app
# with 1,000 and with 10,000 of them (each start with a fresh settings file holding the list and
# a full Recently Used one). Prints the records that scripts/bench-table.sh lays out.
#
# Each run: start, tray item, window built hidden; a click on the tray item as soon as the
# window is ready, timed from the click; the memory once open; a fixed sequence of keys that
# types, deletes and clears the search; a click on a result tile, which saves Recently Used;
# hidden again, its memory. The runs without custom kaomoji also sample the idle CPU, open and
# hidden, and time reopening.
#
# Where the times come from: start-up, from the process's start to its trace line
# (PELMORA_TRACE_STARTUP); a tray click, from the moment xdotool has sent the press (the tray
# item acts on the press) to the "window shown" line the first frame prints; a key, the
# program's own line, from the key's arrival to the next frame; a tile click, from the button's
# release to the next drawing to the window that the X server sees (bench/ui/bench_ui.py).
#
# PELMORA_BENCH_ROUNDS sets the number of rounds (5).
set -euo pipefail
export LC_ALL=C.UTF-8
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
floor="$build_dir/bench/floor/pelmora-floor"
probe="$build_dir/tests/e2e/pelmora-window-probe"
helper="$(dirname "$0")/../bench/ui/bench_ui.py"
rounds="${PELMORA_BENCH_ROUNDS:-5}"
scales=(0 1000 10000)
toggle_runs=10
reopen_runs=3
sample_seconds=2
# Types, deletes and clears the search twice, then types the word whose results the tile click
# uses ("bear": none of the Recently Used faces, none of the custom ones).
keys=(c a t BackSpace BackSpace BackSpace h a p p y BackSpace BackSpace BackSpace BackSpace
    BackSpace b e a r)
# The floor's tile (bench/floor/Floor.qml).
floor_tile="40 60"

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
# A cache of its own, kept across runs: every start but the warm-up finds it filled, as a
# user's second start does.
export XDG_RUNTIME_DIR="$work/runtime" XDG_CACHE_HOME="$work/cache"
export XDG_CONFIG_HOME="$work/config" PELMORA_TRACE_STARTUP=1
# English, whatever the desktop speaks.
unset WAYLAND_DISPLAY QT_QPA_PLATFORM QT_QPA_PLATFORMTHEME DBUS_SESSION_BUS_ADDRESS LANGUAGE

# Where it stands, on one line that keeps being rewritten on a terminal (the table's rows come
# once all rounds are over), or as lines in a log.
progress() {
    local text
    text="bench-app: $((SECONDS / 60)):$(printf '%02d' $((SECONDS % 60))) $*"
    if [ -t 2 ]; then
        printf '\r\033[K%s' "$text" >&2
    else
        echo "$text" >&2
    fi
}

now_us() { echo $((${EPOCHREALTIME/./})); }
# Milliseconds between two times in µs.
ms_between() { printf '%d.%03d\n' $((($2 - $1) / 1000)) $((($2 - $1) % 1000)); }

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
    # A clean slate for the next start: no socket left by the one ended.
    rm -f "$XDG_RUNTIME_DIR"/pelmora-*
}

# Reads trace lines until one holding ": WHAT"; sets line and arrived (µs).
await() {
    local what="$1" deadline=$(($(now_us) + 60000000))
    while (($(now_us) < deadline)); do
        IFS= read -r -t 10 -u 4 line || break
        arrived=$(now_us)
        [[ "$line" == *": $what"* ]] && return 0
    done
    echo "bench-app: $name did not print \"$what\" within 60 s" >&2
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

# Off every window, so that no hover or tooltip draws meanwhile.
park_pointer() { xdotool mousemove 8 700; }

last_tray_click=0
# Two clicks within the double-click interval (400 ms) make a double click, which toggles
# nothing.
space_tray_clicks() {
    (($(now_us) - last_tray_click > 600000)) || sleep 0.6
    last_tray_click=$(now_us)
}

# Opens the window from the tray item (found already); the time from the press to the first
# frame goes to FILE.
open_window() {
    space_tray_clicks
    xdotool mousemove --window "$tray_item" 8 8 mousedown 1
    local pressed
    pressed=$(now_us)
    await "window shown after"
    ms_between "$pressed" "$arrived" >>"$1"
    xdotool mouseup 1
    park_pointer
    poll "the window on screen" find_window
    poll "the window to take the keyboard" window_has_focus
}

hide_window() {
    space_tray_clicks
    xdotool mousemove --window "$tray_item" 8 8 click 1
    park_pointer
    poll "the window to hide" window_is_hidden
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

# Waits until the program rests: two spans of 50 ms in a row with under 1.5 ms of CPU each,
# past animations and deferred work (at most 10 s).
settle() {
    local before after quiet=0 i
    read -r before _ < <(cpu_and_runs)
    for ((i = 0; i < 200 && quiet < 2; i++)); do
        sleep 0.05
        read -r after _ < <(cpu_and_runs)
        if ((after - before < 1500000)); then
            quiet=$((quiet + 1))
        else
            quiet=0
        fi
        before=$after
    done
}

rss_mib() {
    awk '/^VmRSS:/ { printf "%.1f\n", $2 / 1024 }' "/proc/$pid/status"
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

# The picker's views may leave the search field without the keyboard at first; a click into it
# is harmless when it already has it. The floor's one field always has it.
focus_search() {
    if [ "$name" = app ]; then
        local point
        point=$("$probe" search-field "$window")
        # shellcheck disable=SC2086
        xdotool mousemove --window "$window" $point click 1
        park_pointer
    fi
    settle
}

# What each key of the sequence does to the search, for naming the slowest one.
key_names=()
search=""
for key in "${keys[@]}"; do
    before="$search"
    if [ "$key" = BackSpace ]; then search="${search%?}"; else search+="$key"; fi
    key_names+=("$key, \"$before\" → \"$search\"")
done

# Types the sequence; each key's time to the next frame goes to FILE as "INDEX MS".
type_keys() {
    local index
    for index in "${!keys[@]}"; do
        xdotool key "${keys[$index]}"
        await "keystroke shown after"
        echo "$index $(traced_ms)" >>"$1"
        # Each key starts from a still window: the results' animations are over.
        settle
    done
}

# Clicks the first result tile (the floor's one tile) and records the time to the next frame.
click_tile() {
    # Tab takes the keyboard out of the search field, whose blinking cursor would count as a
    # frame.
    xdotool key Tab
    settle
    local point="$floor_tile"
    [ "$name" = app ] && point=$("$probe" first-tile "$window")
    # shellcheck disable=SC2086
    /usr/bin/python3 "$helper" click "$window" $point >>"$1"
    park_pointer
    settle
}

# One run of the program NAME with SCALE custom kaomoji; samples go to $work/NAME.SCALE.*.
run_once() {
    name="$1"
    local scale="$2" executable="$floor" at="$work/$1.$2"
    rm -rf "$XDG_CONFIG_HOME"
    if [ "$name" = app ]; then
        executable="$app"
        /usr/bin/python3 "$helper" settings "$XDG_CONFIG_HOME/Pelmora/Pelmora.conf" "$scale"
    fi

    launch "$executable"
    await "tray shown after"
    ms_between "$started" "$arrived" >>"$at.tray"
    # The trace counts from main(); the rest went to loading and linking the libraries.
    awk -v total="$(ms_between "$started" "$arrived")" -v inside="$(traced_ms)" \
        'BEGIN { printf "%.3f\n", total - inside }' >>"$at.before-main"
    # Found while the window is built, so that the click can follow its readiness at once; in
    # the background, so that the trace lines are read as they come.
    (
        poll "the tray item" find_tray_item
        echo "$tray_item"
    ) >"$work/tray-item" &
    local finder=$!
    await "window content ready after"
    ms_between "$started" "$arrived" >>"$at.ready"
    wait "$finder"
    tray_item=$(<"$work/tray-item")
    open_window "$at.first-open"
    settle
    sleep 0.5
    rss_mib >>"$at.open-rss"
    # With the search field's cursor blinking, as a user finds the window.
    if ((scale == 0)); then
        sample_idle "$at.open-cpu"
    fi
    focus_search
    type_keys "$at.keys"
    click_tile "$at.click"
    if ((scale == 0)); then
        local run
        for ((run = 0; run < reopen_runs; run++)); do
            hide_window
            open_window "$at.reopen"
        done
    fi
    hide_window
    settle
    sleep 0.5
    rss_mib >>"$at.hidden-rss"
    if ((scale == 0)); then
        sample_idle "$at.hidden-cpu" "$at.hidden-wakeups"
    fi
    stop_program
}

# Untimed: fills the caches (disk, fonts, QML) for both.
for name in app floor; do
    progress "warming up: $name"
    executable="$app"
    [ "$name" = floor ] && executable="$floor"
    launch "$executable"
    await "window content ready after"
    stop_program
done

# The floor knows no list: its one run a round, amid the app's, is the baseline of all three.
for ((round = 1; round <= rounds; round++)); do
    for run in app.0 floor.0 app.1000 app.10000; do
        progress "round $round of $rounds: ${run%.*}, ${run#*.} custom kaomoji"
        run_once "${run%.*}" "${run#*.}"
    done
done

# A later `pelmora --toggle` hands its request to the running one and exits.
name=app
launch "$app"
await "window content ready after"
for ((run = 0; run < toggle_runs; run++)); do
    begun=$(now_us)
    "$app" --toggle
    ms_between "$begun" "$(now_us)" >>"$work/app.0.toggle"
done
stop_program

[ -t 2 ] && printf '\r\033[K' >&2

# --- the records ---

# Sorted samples of FILE (none if it is missing).
samples() { if [ -f "$1" ]; then sort -g "$1"; fi; }

# The slowest key's index: the highest median over the rounds.
slowest_key() {
    awk '{ n[$1]++; v[$1, n[$1]] = $2 } END {
        for (k in n) {
            m = n[k]
            for (i = 1; i <= m; i++) s[i] = v[k, i]
            for (i = 2; i <= m; i++) for (j = i; j > 1 && s[j - 1] > s[j]; j--) {
                t = s[j]; s[j] = s[j - 1]; s[j - 1] = t }
            median = m % 2 ? s[(m + 1) / 2] : (s[m / 2] + s[m / 2 + 1]) / 2
            if (best == "" || median > bestMedian) { best = k; bestMedian = median }
        }
        print best }' "$1"
}

# Keeps the times of the keys at INDEX ("all": every key) of FILE, "INDEX MS" lines.
keys_at() {
    awk -v index_="$1" 'index_ == "all" || $1 == index_ { print $2 }' "$2"
}

# quantile(v, n, q): of the sorted v[1..n], between the nearest two, as bench/BenchTable.h does.
quantile_function='
    function quantile(v, n, q,   h, below) {
        if (n == 0) return ""
        h = q * (n - 1); below = int(h)
        if (below + 1 >= n) return v[n]
        return v[below + 1] + (h - below) * (v[below + 2] - v[below + 1])
    }'

median_of() {
    samples "$1" | awk "$quantile_function"'{ v[NR] = $1 } END { print quantile(v, NR, 0.5) }'
}

# record WHAT UNIT APP FLOOR KIND [A [B]]: one row from the samples in APP and FLOOR (a missing
# FLOOR leaves its cells empty). KIND is the target the app's median is held to:
#   none      no target
#   at-most   ≤ A (and, with B, p90 ≤ B)
#   below     < A
#   floor     ≤ A times the floor's median
#   over      ≤ A (the empty case's median) + B
record() {
    local what="$1" unit="$2" app_file="$3" floor_file="$4" kind="$5" a="${6:-}" b="${7:-}"
    {
        samples "$app_file" | sed 's/^/a /'
        samples "$floor_file" | sed 's/^/f /'
    } | awk -v what="$what" -v unit="$unit" -v kind="$kind" -v a="$a" -v b="$b" \
        "$quantile_function"'
        function show(x, exact) {
            if (x == "") return ""
            if (unit == "ms" && x >= 1000) return sprintf("%.2f s", x / 1000)
            if (exact) return sprintf("%g %s", x, unit)
            if (unit == "%") return sprintf("%.2f %%", x)
            if (unit == "MiB" || unit == "/s") return sprintf("%.1f %s", x, unit)
            return sprintf(x >= 100 ? "%.0f %s" : x >= 10 ? "%.1f %s" : "%.2f %s", x, unit)
        }
        $1 == "a" { app[++apps] = $2 }
        $1 == "f" { flo[++floors] = $2 }
        END {
            p50 = quantile(app, apps, 0.5); p90 = quantile(app, apps, 0.9)
            f50 = quantile(flo, floors, 0.5); f90 = quantile(flo, floors, 0.9)
            ratio = ""
            if (f50 != "" && f50 > 0) {
                r = p50 / f50
                ratio = sprintf(r >= 100 ? "%.0f×" : r >= 10 ? "%.1f×" : "%.2f×", r)
            }
            verdict = ""
            if (kind == "at-most") {
                target = "≤ " show(a, 1); met = p50 <= a
                if (b != "") { target = target ", p90 ≤ " show(b, 1); met = met && p90 <= b }
            } else if (kind == "below") {
                target = "< " show(a, 1); met = p50 < a
            } else if (kind == "floor") {
                target = "≤ " a "× floor"; met = f50 != "" && p50 <= a * f50
            } else if (kind == "over") {
                target = "≤ 0 custom + " show(b, 1); met = p50 <= a + b
            }
            if (kind != "none") verdict = met ? "ok" : "MISS"
            printf "row|%s|%s|%s|%s|%s|%s|%s|%s|%s|%d\n", what, show(p50), show(p90),
                show(apps ? app[apps] : ""), show(f50), show(f90), ratio, target, verdict, apps
        }'
}

# The size's label in a row.
sized() {
    case "$2" in
    0) echo "$1" ;;
    1000) echo "$1, 1,000 custom" ;;
    10000) echo "$1, 10,000 custom" ;;
    esac
}

# sizes WHAT UNIT MEASURE "TARGET" "TARGET": the rows of the three sizes, the empty case held to
# the first target (KIND A B, as record takes it), the others to the second; "over B" there
# means within B of the empty case.
sizes() {
    local what="$1" unit="$2" measure="$3" scale
    local -a target
    read -r -a target <<<"$4"
    record "$what" "$unit" "$work/app.0.$measure" "$work/floor.0.$measure" "${target[@]}"
    for scale in "${scales[@]:1}"; do
        read -r -a target <<<"$5"
        if [ "${target[0]}" = over ]; then
            target=(over "$(median_of "$work/app.0.$measure")" "${target[1]}")
        fi
        record "$(sized "$what" "$scale")" "$unit" "$work/app.$scale.$measure" \
            "$work/floor.0.$measure" "${target[@]}"
    done
}

# Every key, the first key and the slowest key of each run, apart.
for run in app.0 app.1000 app.10000 floor.0; do
    keys_at all "$work/$run.keys" >"$work/$run.all-keys"
    keys_at 0 "$work/$run.keys" >"$work/$run.first-key"
done
slowest=()
for scale in "${scales[@]}"; do
    slowest[scale]=$(slowest_key "$work/app.$scale.keys")
    keys_at "${slowest[scale]}" "$work/app.$scale.keys" >"$work/app.$scale.slowest-key"
    keys_at "${slowest[scale]}" "$work/floor.0.keys" >"$work/floor.$scale.slowest-key"
done

echo "section|app and floor: medians of $rounds interleaved rounds"
record "start → main(): loading and linking" ms "$work/app.0.before-main" \
    "$work/floor.0.before-main" none
sizes "start → tray item shown" ms tray "floor 1.3" "over 100"
sizes "start → window content ready" ms ready "floor 1.5" none
sizes "tray click at ready → first frame" ms first-open "at-most 50" none
record "later tray click → first frame" ms "$work/app.0.reopen" "$work/floor.0.reopen" at-most 50
sizes "idle RSS, open" MiB open-rss "at-most 60" "over 20"
sizes "idle RSS, hidden again after use" MiB hidden-rss "at-most 60" "over 20"
sizes "keystroke → next frame, ${#keys[@]} keys" ms all-keys "at-most 10 16" "at-most 10 16"
for scale in "${scales[@]}"; do
    record "$(sized "slowest key (${key_names[slowest[scale]]})" "$scale")" ms \
        "$work/app.$scale.slowest-key" "$work/floor.$scale.slowest-key" at-most 10 16
done
record "first keystroke after opening → next frame" ms "$work/app.0.first-key" \
    "$work/floor.0.first-key" at-most 30
sizes "tile click (saves) → next frame" ms click "at-most 16" "at-most 16"
record "open and idle: CPU (one-second samples)" % "$work/app.0.open-cpu" \
    "$work/floor.0.open-cpu" at-most 0.3
record "hidden: CPU (one-second samples)" % "$work/app.0.hidden-cpu" "$work/floor.0.hidden-cpu" \
    at-most 0.01
record "hidden: wakeups a second" /s "$work/app.0.hidden-wakeups" \
    "$work/floor.0.hidden-wakeups" below 1
record "second start with --toggle, round trip" ms "$work/app.0.toggle" "" at-most 100

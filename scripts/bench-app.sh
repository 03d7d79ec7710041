#!/usr/bin/env bash
# Start-up benchmarks of the app shell on a virtual X display with a tray host (Xvfb and
# trayer): a cold start up to the tray item, and a later `pelmora --toggle` handing its request
# to the running Pelmora. Prints rows of the table that scripts/bench.sh assembles.
set -euo pipefail
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
cold_runs=5
toggle_runs=10

for tool in Xvfb trayer; do
    if ! command -v "$tool" >/dev/null; then
        echo "bench-app: $tool is missing; scripts/setup.sh installs it" >&2
        exit 1
    fi
done
if [ ! -x "$app" ]; then
    echo "bench-app: $app is missing; build it first" >&2
    exit 1
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A display and a tray of our own, so the desktop the benchmark runs in plays no part.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
export DISPLAY=":$(cat "$work/display")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
    --transparent false >/dev/null 2>&1 &
pids+=($!)
sleep 0.5

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config"

now_us() { echo $(( ${EPOCHREALTIME/./} )); }

# Prints "median p90" of the numbers (in microseconds) on standard input, as BenchTable does.
stats() {
    sort -n | awk '{ v[NR - 1] = $1 } END {
        n = NR; m = v[int(0.5 * (n - 1))]; p = v[int(0.9 * (n - 1))];
        printf "%.2f ms|%.2f ms\n", m / 1000, p / 1000 }'
}

row() {
    local what="$1" target="$2" runs="$3" median p90
    IFS='|' read -r median p90 < <(stats <"$4")
    printf '| %-58s | %12s | %12s | %-16s | %6d |\n' "$what" "$median" "$p90" "$target" "$runs"
}

# Starts pelmora and waits for its "tray shown" line; leaves its pid in app_pid.
start_app() {
    local started line
    started=$(now_us)
    exec 4< <(PELMORA_TRACE_STARTUP=1 exec "$app" "$@" 2>&1 >/dev/null)
    app_pid=$!
    while read -r -u 4 line; do
        if [[ "$line" == "pelmora: tray shown after"* ]]; then
            echo $(( $(now_us) - started )) >>"$work/cold"
            return 0
        fi
        if [[ "$line" == *"no system tray found"* ]]; then
            echo "bench-app: pelmora found no tray on $DISPLAY" >&2
            return 1
        fi
    done
    echo "bench-app: pelmora ended before its tray item showed" >&2
    return 1
}

stop_app() {
    kill "$app_pid" 2>/dev/null || true
    wait "$app_pid" 2>/dev/null || true
    exec 4<&-
    # A clean slate for the next cold start: no socket left by the killed one.
    rm -f "$XDG_RUNTIME_DIR"/pelmora-*
}

: >"$work/cold"
for _ in $(seq "$cold_runs"); do
    start_app
    stop_app
done
row "app: cold start to tray item shown (Xvfb, trayer)" "< 500 ms" "$cold_runs" "$work/cold"

start_app
sleep 1 # let the window finish building
: >"$work/toggle"
for _ in $(seq "$toggle_runs"); do
    started=$(now_us)
    "$app" --toggle
    echo $(( $(now_us) - started )) >>"$work/toggle"
done
stop_app
row "app: second start with --toggle, round trip" "< 100 ms" "$toggle_runs" "$work/toggle"

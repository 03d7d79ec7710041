#!/usr/bin/env bash
# Launcher mode: the wall time of `pelmora --list --query cat`, the command a launcher runs on
# every key binding, without a display, from the process's start to its end. Runs with a fresh
# user, and with 1,000 kaomoji of the user's own and a full Recently Used list (the settings
# file bench/ui/bench_ui.py writes for the app's benchmark). Prints the records that
# scripts/bench-table.sh lays out. The floor is `pelmora --version`: loading the program and
# its Qt libraries (linked to bind every symbol at start), which any command pays; its runs
# take turns with the measured ones, so that a busy machine weighs on both alike.
# PELMORA_BENCH_LAUNCHER_RUNS sets the runs per row (30).
set -euo pipefail
export LC_ALL=C.UTF-8
build_dir="${1:-build}"
app="$build_dir/src/ui/pelmora"
helper="$(dirname "$0")/../bench/ui/bench_ui.py"
runs="${PELMORA_BENCH_LAUNCHER_RUNS:-30}"
target_ms=30

if [ ! -x "$app" ]; then
    echo "bench-launcher: $app is missing; build it first" >&2
    exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/pelmora-bench-launcher.XXXXXX")
trap 'rm -rf "$work"' EXIT

echo "section|launcher mode: pelmora --list --query cat, no display, $runs runs"
for scale in 0 1000; do
    config="$work/config-$scale"
    mkdir -p "$config/Pelmora"
    if [ "$scale" -gt 0 ]; then
        /usr/bin/python3 "$helper" settings "$config/Pelmora/Pelmora.conf" "$scale"
    fi
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME="$config" \
        /usr/bin/python3 - "$app" "$runs" "$target_ms" "$scale" <<'PYTHON'
import os, statistics, subprocess, sys, time
app, runs, target, scale = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), int(sys.argv[4])
command = [app, "--list", "--query", "cat"]
floor = [app, "--version"]


def timed(arguments):
    start = time.perf_counter()
    subprocess.run(arguments, stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter() - start) * 1000


timed(command)  # warms the file cache
times, floors = [], []
for _ in range(runs):
    times.append(timed(command))
    floors.append(timed(floor))
times.sort()
floors.sort()
p90 = lambda values: values[min(len(values) - 1, int(0.9 * len(values)))]
p50, f50 = statistics.median(times), statistics.median(floors)
show = lambda ms: "%.1f ms" % ms
what = "--list --query cat, %s" % ("a fresh user" if scale == 0 else "%d custom" % scale)
verdict = "ok" if p50 <= target else "MISS"
print("row|%s|%s|%s|%s|%s|%s|%.2f×|≤ %g ms|%s|%d" % (what, show(p50), show(p90(times)),
      show(times[-1]), show(f50), show(p90(floors)), p50 / f50, target, verdict, runs))
PYTHON
done

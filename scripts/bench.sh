#!/usr/bin/env bash
# Runs every benchmark and prints one table: the parts on their own, then the real app beside
# the floor (scripts/bench-app.sh), every target with "ok" or "MISS". Takes a few minutes.
set -euo pipefail
build_dir="${1:-build}"
scripts="$(dirname "$0")"
{
    echo "section|the parts on their own, offscreen"
    for bench in "$build_dir"/bench/*/bench_*; do
        if [ -f "$bench" ] && [ -x "$bench" ]; then
            QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench"
        fi
    done
    # Launcher mode: the command line without a display.
    "$scripts/bench-launcher.sh" "$build_dir" || echo "failed|launcher mode"
    # The real app on a virtual display with a tray host, each figure beside the floor's.
    "$scripts/bench-app.sh" "$build_dir" || echo "failed|the app beside the floor"
    echo "section|paste after copy on X11: medians"
    "$scripts/bench-paste.sh" "$build_dir" || echo "failed|paste after copy"
} | "$scripts/bench-table.sh"

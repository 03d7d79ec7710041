#!/usr/bin/env bash
# Runs every benchmark and prints one table of medians.
set -euo pipefail
build_dir="${1:-build}"
printf '| %-58s | %12s | %12s | %-16s | %6s |\n' "what" "median" "p90" "target" "runs"
printf '|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..60})" "$(printf -- '-%.0s' {1..14})" \
    "$(printf -- '-%.0s' {1..14})" "$(printf -- '-%.0s' {1..18})" "$(printf -- '-%.0s' {1..8})"
for bench in "$build_dir"/bench/*/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" "$bench"
done
# The real app on a virtual display with a tray host, each figure beside the floor's.
"$(dirname "$0")/bench-app.sh" "$build_dir"

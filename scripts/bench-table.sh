#!/usr/bin/env bash
# Lays out the records the benchmarks print (bench/BenchTable.h, scripts/bench-app.sh) as one
# table, each row as soon as it comes, and ends with the targets missed. Records are lines of
# fields separated by "|" (an empty field is an empty cell):
#   section|TITLE
#   row|WHAT|P50|P90|MAX|FLOOR-P50|FLOOR-P90|RATIO|TARGET|ok, MISS or nothing (no target)|RUNS
#   failed|WHAT     a benchmark that could not finish (its own messages say why); ends in failure
set -euo pipefail
export LC_ALL=C.UTF-8

widths=(52 9 9 9 9 9 7 20 4 4)
headings=("what" "Pelmora" "p90" "max" "floor" "p90" "÷ floor" "target" "" "n")
# Numbers go to the right of their cells, words to the left.
right=(0 1 1 1 1 1 1 0 0 1)

# Padded by characters, not bytes: "≤", "→", "µ" and "÷" take more bytes than columns.
cell() {
    local text="$1" width="$2" at_right="$3" gap
    gap=$((width - ${#text}))
    ((gap > 0)) || gap=0
    if ((at_right)); then
        printf ' %*s%s |' "$gap" '' "$text"
    else
        printf ' %s%*s |' "$text" "$gap" ''
    fi
}

line() {
    local i
    printf '|'
    for i in "${!widths[@]}"; do
        cell "${1:-}" "${widths[$i]}" "${right[$i]}"
        shift || true
    done
    printf '\n'
}

rule() {
    local width
    printf '|'
    for width in "${widths[@]}"; do
        printf -- '-%.0s' $(seq 1 $((width + 2)))
        printf '|'
    done
    printf '\n'
}

line "${headings[@]}"
rule
targets=0
missed=()
failed=()
while IFS='|' read -r kind what rest; do
    case "$kind" in
    section)
        line "${what^^}"
        ;;
    row)
        IFS='|' read -r p50 p90 max floor_p50 floor_p90 ratio target verdict runs <<<"$rest"
        line "$what" "$p50" "$p90" "$max" "$floor_p50" "$floor_p90" "$ratio" "$target" \
            "$verdict" "$runs"
        [ -n "$verdict" ] && targets=$((targets + 1))
        [ "$verdict" = MISS ] && missed+=("$what")
        ;;
    failed)
        failed+=("$what")
        ;;
    *)
        # Anything else is a message that belongs with the table.
        printf '%s\n' "$kind${what:+|$what}${rest:+|$rest}"
        ;;
    esac
done
echo
if ((${#missed[@]} == 0)); then
    echo "All $targets targets met."
else
    echo "${#missed[@]} of $targets targets MISSED:"
    printf '  - %s\n' "${missed[@]}"
fi
if ((${#failed[@]} > 0)); then
    echo "Not measured, the benchmark failed: ${failed[*]}"
    exit 1
fi

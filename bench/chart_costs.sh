#!/usr/bin/env bash
# The cost of every built-in game's generated strategy chart against perfect play, in
# percentage points, at 15, 20, 26, 30 and 40 lines and at the default length, with the lines the
# chart uses and the time `strategy` takes (generation, save, read back and exact score). Writes
# the table as Markdown to OUT (docs/strategy-costs.md by default).
# Usage: bench/chart_costs.sh [QUILLON_ODDS] [OUT]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
out=${2:-docs/strategy-costs.md}
lengths=(15 20 26 30 40 0)
games=$("$odds" games --json | python3 -c 'import json,sys; print(" ".join(g["name"] for g in json.load(sys.stdin)["games"]))')
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
{
    echo "# What the generated strategy charts cost"
    echo
    echo "Written by \`bench/chart_costs.sh\`: each built-in game's chart from \`quillon-odds strategy"
    echo "--lines N\` (the default length in the last column), scored exactly after a round trip"
    echo "through its file. Each cell is the cost against perfect play in percentage points, with the"
    echo "lines the chart uses in brackets; the last column is the slowest \`strategy\` run of the row,"
    echo "on a 2-core machine with nothing else running."
    echo
    echo "| game | 15 lines | 20 lines | 26 lines | 30 lines | 40 lines | default | slowest |"
    echo "|---|---|---|---|---|---|---|---|"
    for game in $games; do
        row="| $game"
        slowest=0
        for n in "${lengths[@]}"; do
            args=(strategy --game "$game" --json)
            [[ $n != 0 ]] && args+=(--lines "$n")
            start=$(date +%s%N)
            "$odds" "${args[@]}" > "$tmp/out.json"
            end=$(date +%s%N)
            ms=$(((end - start) / 1000000))
            ((ms > slowest)) && slowest=$ms
            cell=$(python3 -c 'import json,sys; j=json.load(open(sys.argv[1])); print("%.4f (%d)" % (j["cost_points"], len(j["lines"])))' "$tmp/out.json")
            row+=" | $cell"
        done
        echo "$row | $(awk -v ms="$slowest" 'BEGIN { printf "%.2f s", ms / 1000 }') |"
    done
} > "$out"
cat "$out"

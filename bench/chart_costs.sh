#!/usr/bin/env bash
# The cost of every built-in game's generated strategy chart against perfect play, in
# percentage points, at 15, 20, 26, 30 and 40 lines and at the default length, at 40 rules (lines
# and exceptions on the discards together, `--rules 40`) and the rules of the shortest chart found
# that plays perfectly (`--perfect`), with the rules the chart uses and the CPU time `strategy` takes
# (generation, save, read back and exact score). Writes the table as Markdown to OUT
# (docs/strategy-costs.md by default).
# Usage: bench/chart_costs.sh [QUILLON_ODDS] [OUT]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
out=${2:-docs/strategy-costs.md}
lengths=(15 20 26 30 40 0 rules40 perfect)
games=$("$odds" games --json | python3 -c 'import json,sys; print(" ".join(g["name"] for g in json.load(sys.stdin)["games"]))')
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
{
    echo "# What the generated strategy charts cost"
    echo
    echo "Written by \`bench/chart_costs.sh\`: each built-in game's chart from \`quillon-odds strategy"
    echo "--lines N\` (the default length in the last column), scored exactly after a round trip"
    echo "through its file. Each cell is the cost against perfect play in percentage points, with the"
    echo "rules of the chart in brackets as \`--lines\` counts them: a chart in sections writes a line"
    echo "that two sections need in both, and counts it once. \`--rules 40\` counts exceptions on the"
    echo "discards as rules beside the lines; the perfect column gives the rules of the shortest chart"
    echo "\`--perfect\` finds that plays every deal perfectly (a cost below 0.000001 points), or, where"
    echo "it finds none, the cost and rules of the closest it found. The last column is the CPU time"
    echo "(user and system) of the row's slowest \`strategy\` run, on a 2-core machine."
    echo
    echo "| game | 15 lines | 20 lines | 26 lines | 30 lines | 40 lines | default | 40 rules | perfect | slowest |"
    echo "|---|---|---|---|---|---|---|---|---|---|"
    for game in $games; do
        row="| $game"
        slowest=0
        for n in "${lengths[@]}"; do
            args=(strategy --game "$game" --json)
            case $n in
                0) ;;
                rules40) args+=(--rules 40) ;;
                perfect) args+=(--perfect) ;;
                *) args+=(--lines "$n") ;;
            esac
            /usr/bin/time -f '%U %S' -o "$tmp/time" "$odds" "${args[@]}" > "$tmp/out.json"
            ms=$(awk '{ printf "%d", ($1 + $2) * 1000 }' "$tmp/time")
            ((ms > slowest)) && slowest=$ms
            cell=$(python3 -c 'import json,sys
j=json.load(open(sys.argv[1]))
n=j["rules"]
if sys.argv[2] != "perfect": print("%.4f (%d)" % (j["cost_points"], n))
elif j["cost_points"] < 1e-6: print("%d rules" % n)
else: print("none found: %.6f (%d)" % (j["cost_points"], n))' "$tmp/out.json" "$n")
            row+=" | $cell"
        done
        echo "$row | $(awk -v ms="$slowest" 'BEGIN { printf "%.2f s", ms / 1000 }') |"
    done
} > "$out"
cat "$out"

#!/usr/bin/env bash
# The CPU time (user + system, in seconds) of `quillon-odds strategy` for every built-in game at
# 15, 26 and 40 lines, at the default length and at 40 rules, and of `chart FILE` reading back and
# scoring the default chart. Writes one tab-separated row per game to stdout, the load of the
# machine first (CPU time is steadier than wall time on a shared machine, not immune to it).
# Usage: bench/strategy_times.sh [QUILLON_ODDS] [GAME...]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
shift || true
if (($# > 0)); then
    games="$*"
else
    games=$("$odds" games --json | python3 -c 'import json,sys; print(" ".join(g["name"] for g in json.load(sys.stdin)["games"]))')
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# The user + system seconds of one run, its output thrown away.
cpu() {
    /usr/bin/time -f '%U %S' -o "$tmp/time" "$odds" "$@" > /dev/null
    awk '{ printf "%.2f", $1 + $2 }' "$tmp/time"
}
echo "# load: $(uptime | sed 's/.*load average: //')"
printf 'game\t15\t26\t40\tdefault\trules40\tchart\n'
for game in $games; do
    row=$game
    for n in 15 26 40; do
        row+=$'\t'$(cpu strategy --game "$game" --lines "$n")
    done
    row+=$'\t'$(cpu strategy --game "$game" --save "$tmp/chart.txt")
    row+=$'\t'$(cpu strategy --game "$game" --rules 40)
    row+=$'\t'$(cpu chart "$tmp/chart.txt" --game "$game")
    printf '%s\n' "$row"
done

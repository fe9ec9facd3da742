#!/usr/bin/env bash
# `quillon-odds return` from the start of the process to its exit, for every built-in game and
# one to a hundred hands a round: the median of RUNS runs each, in milliseconds; then the plain
# calculator (bench/plain_return.cpp, Jacks or Better 9/6 counted subset by subset) timed in the
# same run, and the slowest median as a share of it.
# Usage: bench/bench_return_time.sh [QUILLON_ODDS] [PLAIN_RETURN] [RUNS]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
plain=${2:-build/release/run/plain_return}
runs=${3:-21}
median_ms() {
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}
games=$("$odds" games --json | python3 -c 'import json, sys; print(" ".join(g["name"] for g in json.load(sys.stdin)["games"]))')
worst=0
printf '%-28s %9s %9s %9s %9s   (median of %d runs, ms)\n' game "play 1" "play 3" "play 10" "play 100" "$runs"
for game in $games; do
    row=()
    for play in 1 3 10 100; do
        ms=$(median_ms "$odds" return --game "$game" --play "$play")
        row+=("$ms")
        worst=$(awk -v a="$worst" -v b="$ms" 'BEGIN { print (b > a) ? b : a }')
    done
    printf '%-28s %9s %9s %9s %9s\n' "$game" "${row[@]}"
done
start=$(date +%s%N)
"$plain"
end=$(date +%s%N)
plain_ms=$(((end - start) / 1000000))
awk -v w="$worst" -v p="$plain_ms" 'BEGIN {
    printf "slowest return %.1f ms; the plain calculator %d ms; the slowest is %.4f of it\n", w, p, w / p }'

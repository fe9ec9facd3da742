#!/usr/bin/env bash
# `quillon-odds return` from the start of the process to its exit, for every built-in game and
# one to a hundred hands a round: the median of RUNS runs each, in milliseconds; then the plain
# calculator (bench/plain_return.cpp, Jacks or Better 9/6 counted subset by subset) timed in the
# same run, and the slowest as a share of it. PLAYS ("1 3 10 100") sets the rounds' sizes
# and STAT=best the best of the runs in place of their median.
# Usage: [PLAYS=...] [STAT=best] bench/bench_return_time.sh [QUILLON_ODDS] [PLAIN_RETURN] [RUNS]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
plain=${2:-build/release/run/plain_return}
runs=${3:-21}
plays=${PLAYS:-1 3 10 100}
stat=${STAT:-median}
time_ms() {
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n |
        awk -v s="$stat" '{ t[NR] = $1 } END { printf "%.1f", t[s == "best" ? 1 : int((NR + 1) / 2)] / 1000 }'
}
games=$("$odds" games --json | python3 -c 'import json, sys; print(" ".join(g["name"] for g in json.load(sys.stdin)["games"]))')
worst=0
printf '%-28s' game
for play in $plays; do printf ' %8s' "play $play"; done
printf '   (%s of %d runs, ms)\n' "$stat" "$runs"
for game in $games; do
    row=()
    for play in $plays; do
        ms=$(time_ms "$odds" return --game "$game" --play "$play")
        row+=("$ms")
        worst=$(awk -v a="$worst" -v b="$ms" 'BEGIN { print (b > a) ? b : a }')
    done
    printf '%-28s' "$game"
    printf ' %8s' "${row[@]}"
    printf '\n'
done
start=$(date +%s%N)
"$plain"
end=$(date +%s%N)
plain_ms=$(((end - start) / 1000000))
awk -v w="$worst" -v p="$plain_ms" 'BEGIN {
    printf "slowest return %.1f ms; the plain calculator %d ms; the slowest is %.4f of it\n", w, p, w / p }'

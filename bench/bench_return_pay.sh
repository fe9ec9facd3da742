#!/usr/bin/env bash
# `quillon-odds return --pay HAND=AMOUNT` from the start of the process to its exit: a built-in
# game with a pay of the player's own has its tallies, the values of its deals and the chance of
# ruin within a session counted in the run; only the deals whose best hold differs from the one
# stored at build time are played again. (Jacks or Better 9/6 with a full house of 8 is 8/6, whose
# figures were worked out ahead.) The last two cases are a pay-table file, a copy of a built-in
# game's, at its own pays and at a meter's. The median (STAT=best: the best) of RUNS runs, in
# milliseconds, wall and CPU (user and system, to the 10 ms that /usr/bin/time gives).
# Usage: [STAT=best] bench/bench_return_pay.sh [QUILLON_ODDS] [RUNS]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
runs=${2:-11}
stat=${STAT:-median}
cases=("jacks-or-better-9-6 royal=1200" "jacks-or-better-9-6 full-house=8" "quillon royal=1200"
    "deuces-wild-nsu natural-royal=1000" "double-double-bonus-9-6 four-aces=170"
    "odds/games/jacks-or-better-9-6.game royal=800" "odds/games/jacks-or-better-9-6.game royal=1200")
pick() {
    sort -n | awk -v s="$stat" '{ t[NR] = $1 } END { printf "%.0f", t[s == "best" ? 1 : int((NR + 1) / 2)] }'
}
printf '%-44s %8s %8s   (%s of %d runs, ms)\n' case wall cpu "$stat" "$runs"
for c in "${cases[@]}"; do
    read -r game pay <<< "$c"
    walls=()
    cpus=()
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        stats=$({ /usr/bin/time -f '%U %S' "$odds" return --game "$game" --pay "$pay" > /dev/null; } 2>&1)
        end=$(date +%s%N)
        read -r user sys <<< "$stats"
        walls+=($(((end - start) / 1000000)))
        cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print (u + s) * 1000 }')")
    done
    printf '%-44s %8s %8s\n' "$game --pay $pay" "$(printf '%s\n' "${walls[@]}" | pick)" \
        "$(printf '%s\n' "${cpus[@]}" | pick)"
done

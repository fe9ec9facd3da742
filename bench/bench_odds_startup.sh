#!/usr/bin/env bash
# `quillon-odds hand` from the start of the process to its exit: the median and the slowest of
# RUNS runs, in milliseconds. Usage: bench/bench_odds_startup.sh [QUILLON_ODDS] [RUNS]
set -euo pipefail
odds=${1:-build/release/run/quillon-odds}
runs=${2:-50}
measure() {
    local label=$1
    shift
    local times=()
    for ((i = 0; i < runs; i++)); do
        local start end
        start=$(date +%s%N)
        "$odds" "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v label="$label" '
        { t[NR] = $1 }
        END { printf "%-40s median %6.1f ms   max %6.1f ms   (%d runs)\n", label,
              t[int((NR + 1) / 2)] / 1000, t[NR] / 1000, NR }'
}
measure "hand, quillon (joker)" hand h13 joker h12 h11 h1
measure "hand, jacks-or-better-9-6" hand s1 s13 s12 s11 h2 --game jacks-or-better-9-6
measure "hand, deuces-wild-full-pay" hand s2 h10 h11 h12 h1 --game deuces-wild-full-pay
measure "hand --json, double-double-bonus-9-6" hand s1 h1 d1 c3 s9 --game double-double-bonus-9-6 --json

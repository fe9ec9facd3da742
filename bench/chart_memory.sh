#!/usr/bin/env bash
# The peak memory while a strategy chart builds: `quillon-odds strategy` for some games and
# lengths (peak resident size and seconds, from /usr/bin/time), then the coach beside the table
# and the trainer, offscreen (bench_chart_memory). GAMES and LINES ("0 15 26 40", 0 the default
# length) choose the charts.
# Usage: [GAMES=...] [LINES=...] bench/chart_memory.sh [BUILD_RUN_DIR]
set -euo pipefail
run=${1:-build/release/run}
games=${GAMES:-quillon joker-kings-20-7-5 jacks-or-better-9-6 double-double-bonus-9-6 deuces-wild-nsu}
lines=${LINES:-0}
printf '%-28s %6s %10s %8s %8s\n' game lines "peak kB" "wall s" "cpu s"
for game in $games; do
    for n in $lines; do
        args=(strategy --game "$game")
        [ "$n" != 0 ] && args+=(--lines "$n")
        stats=$({ /usr/bin/time -f '%M %e %U %S' "$run/quillon-odds" "${args[@]}" > /dev/null; } 2>&1)
        read -r kb wall user sys <<< "$stats"
        printf '%-28s %6s %10s %8s %8.2f\n' "$game" "$n" "$kb" "$wall" \
            "$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')"
    done
done
export QT_QPA_PLATFORM=offscreen
"$run/bench_chart_memory" coach 2> /dev/null
"$run/bench_chart_memory" trainer jacks-or-better-9-6 2> /dev/null
"$run/bench_chart_memory" trainer quillon 2> /dev/null

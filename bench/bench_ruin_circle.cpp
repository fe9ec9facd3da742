// The ladder heights of a round found on a circle (ruin without end for N hands a round), from the
// built-in games' distributions as the build played them: what `return` of a pay-table file
// spends on it, and what the ruin table's writer spends on each of its figures.
#include <benchmark/benchmark.h>

#include <string>

#include "odds/games/game_file.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_result.h"
#include "odds/risk/round_ruin.h"

namespace quillon::odds {
namespace {

void ladder_of(benchmark::State& state, const std::string& name) {
    const Game game = find_game(name, kFullBet).value();
    const DealOutcomes outcomes = outcomes_of(*find_precomputed(name, game), game);
    const GameReturn result = game_return_of(outcomes, game);
    const RoundResult round(outcomes, result.pays, result.pay_scale,
                            static_cast<int>(state.range(0)));
    CircleRule rule;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ladder_from_circle(round, kCircleWork, &rule));
    }
    state.SetLabel(std::to_string(rule.points) + " points");
}

void BM_CircleDeuces(benchmark::State& state) {
    ladder_of(state, "deuces-wild-full-pay");
}
void BM_CircleQuillon(benchmark::State& state) {
    ladder_of(state, "quillon");
}
BENCHMARK(BM_CircleDeuces)
    ->Arg(3)
    ->Arg(13)
    ->Arg(50)
    ->Arg(100)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CircleQuillon)
    ->Arg(3)
    ->Arg(13)
    ->Arg(50)
    ->Arg(100)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

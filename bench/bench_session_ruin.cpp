// The chance of ruin within a session of N-hand rounds, as the within table's writer finds it:
// the rounds' whole distributions, and the recursion on the bankroll term by term and on the
// circle, for one game (Jacks or Better 9/6) at a few sizes of round. Their times against each
// other are what chooses between the two (within_by_circle).
#include <benchmark/benchmark.h>

#include <string>

#include "odds/games/game_file.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_distribution.h"
#include "odds/risk/round_result.h"
#include "odds/risk/ruin_within.h"
#include "odds/risk/session_risk.h"
#include "tools/ruin_table/session_ruin.h"

namespace quillon::odds {
namespace {

const RoundResult& jacks() {
    static const RoundResult round = [] {
        const Game game = find_game("jacks-or-better-9-6", kFullBet).value();
        const DealOutcomes outcomes =
            outcomes_of(*find_precomputed("jacks-or-better-9-6", game), game);
        const GameReturn result = game_return_of(outcomes, game);
        return RoundResult(outcomes, result.pays, result.pay_scale, 1);
    }();
    return round;
}

RoundDistribution round_of(int play) {
    const std::int64_t limit = std::int64_t{session_rounds(play)} * play;
    return round_distributions(jacks(), play, limit).back();
}

void BM_RoundDistributions(benchmark::State& state) {
    const auto play = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(round_of(play));
    }
}

void BM_WithinTermByTerm(benchmark::State& state) {
    const auto play = static_cast<int>(state.range(0));
    const RoundDistribution round = round_of(play);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ruin_within(round_steps(round), session_rounds(play), play, {100, 400, 1000}));
    }
}

void BM_WithinOnTheCircle(benchmark::State& state) {
    const auto play = static_cast<int>(state.range(0));
    const RoundDistribution round = round_of(play);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ruin_within_circle(round, session_rounds(play), play, {100, 400, 1000}, 1.0));
    }
}

BENCHMARK(BM_RoundDistributions)->Arg(3)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WithinTermByTerm)->Arg(2)->Arg(3)->Arg(4)->Arg(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WithinOnTheCircle)->Arg(3)->Arg(4)->Arg(5)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

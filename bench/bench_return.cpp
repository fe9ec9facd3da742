// The exact return of a whole game on two threads: from nothing, and with the tallies built.
#include <benchmark/benchmark.h>

#include "odds/play/game_return.h"

namespace quillon::odds {
namespace {

// Every built-in game, by its place in the list.
Game game_of(std::int64_t which) {
    return find_game(game_names()[static_cast<std::size_t>(which)]).value();
}
const auto kLastGame = static_cast<std::int64_t>(game_names().size()) - 1;

void BM_GameReturnWithTallies(benchmark::State& state) {
    const Game game = game_of(state.range(0));
    state.SetLabel(game.name());
    for (auto _ : state) {
        const Tallies tallies(game);
        benchmark::DoNotOptimize(game_return(tallies, 2).counts);
    }
}
BENCHMARK(BM_GameReturnWithTallies)
    ->DenseRange(0, kLastGame)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

void BM_BuildTallies(benchmark::State& state) {
    const Game game = game_of(state.range(0));
    state.SetLabel(game.name());
    for (auto _ : state) {
        const Tallies tallies(game);
        benchmark::DoNotOptimize(tallies.none());
    }
}
BENCHMARK(BM_BuildTallies)->DenseRange(0, kLastGame)->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_GameReturnPlayOnly(benchmark::State& state) {
    const Tallies tallies(game_of(state.range(0)));
    state.SetLabel(tallies.game().name());
    const auto threads = static_cast<unsigned>(state.range(1));
    for (auto _ : state) {
        benchmark::DoNotOptimize(game_return(tallies, threads).counts);
    }
}
BENCHMARK(BM_GameReturnPlayOnly)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kLastGame, 1), {1, 2}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

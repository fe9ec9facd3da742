// The strategy chart of every built-in game from nothing (tallies, the patterns of every deal
// class, the chart and its exact check), at 20, 30 and 40 lines and at the game's own length;
// the chart's cost against perfect play is reported beside the time. Then the risk of a session.
#include <benchmark/benchmark.h>

#include "odds/risk/session_risk.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::odds {
namespace {

Game game_of(std::int64_t which) {
    return find_game(game_names()[static_cast<std::size_t>(which)]).value();
}
const auto kLastGame = static_cast<std::int64_t>(game_names().size()) - 1;

void BM_StrategyChart(benchmark::State& state) {
    const Game game = game_of(state.range(0));
    const auto lines = static_cast<std::size_t>(state.range(1));
    const std::string id(game_names()[static_cast<std::size_t>(state.range(0))]);
    state.SetLabel(id);
    ChartReport chart;
    for (auto _ : state) {
        const Tallies tallies(game);
        chart = make_strategy_chart(tallies, lines, id);
        benchmark::DoNotOptimize(chart.score.check.chart_pay);
    }
    state.counters["lines"] = static_cast<double>(chart.chart.lines.size());
    state.counters["cost_points"] =
        100.0 * (chart.score.check.perfect_return() - chart.score.check.chart_return());
}
BENCHMARK(BM_StrategyChart)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kLastGame, 1), {20, 30, 40, 0}})
    ->UseRealTime()
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_SessionRisk(benchmark::State& state) {
    const Game game = game_of(state.range(0));
    state.SetLabel(std::string(game_names()[static_cast<std::size_t>(state.range(0))]));
    const Tallies tallies(game);
    const GameReturn result = game_return(tallies);
    for (auto _ : state) {
        benchmark::DoNotOptimize(session_risk(result).ruin_within);
    }
}
BENCHMARK(BM_SessionRisk)->DenseRange(0, kLastGame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

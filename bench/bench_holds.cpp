// The 32 holds of one deal once the tallies are built, and the building of the tallies.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <random>

#include "base/combinatorics.h"
#include "odds/play/hold_analysis.h"

namespace quillon::odds {
namespace {

constexpr std::size_t kDeals = 4096;

std::vector<std::array<CardId, 5>> random_deals(const Game& game) {
    std::mt19937 random(7);
    std::vector<int> deck(static_cast<std::size_t>(game.deck_size()));
    std::iota(deck.begin(), deck.end(), 0);
    std::vector<std::array<CardId, 5>> deals(kDeals);
    for (auto& deal : deals) {
        std::shuffle(deck.begin(), deck.end(), random);
        for (std::size_t i = 0; i < 5; ++i) {
            deal[i] = deck_card(deck[i], game.has_joker());
        }
    }
    return deals;
}

const Tallies& tallies_of(int which) {
    static const Tallies quillon(quillon_game_table());
    static const Tallies jacks(jacks_or_better_9_6());
    static const Tallies deuces(find_game("deuces-wild-full-pay").value());
    return which == 0 ? quillon : which == 1 ? jacks : deuces;
}

// Each iteration is one deal of a few thousand random ones; the median of the same deals, each
// timed on its own, is reported beside the mean.
void BM_HoldsOfOneDeal(benchmark::State& state) {
    const Tallies& tallies = tallies_of(static_cast<int>(state.range(0)));
    state.SetLabel(tallies.game().name());
    const auto deals = random_deals(tallies.game());
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(analyze_deal(tallies, deals[next]));
        next = (next + 1) % kDeals;
    }
    std::vector<double> each;
    each.reserve(kDeals);
    for (const auto& deal : deals) {
        const auto start = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(analyze_deal(tallies, deal));
        const auto stop = std::chrono::steady_clock::now();
        each.push_back(std::chrono::duration<double, std::nano>(stop - start).count());
    }
    std::nth_element(each.begin(), each.begin() + kDeals / 2, each.end());
    state.counters["median_ns"] = each[kDeals / 2];
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_HoldsOfOneDeal)->DenseRange(0, 2)->Unit(benchmark::kNanosecond);

void BM_BuildTallies(benchmark::State& state) {
    const Game& game = tallies_of(static_cast<int>(state.range(0))).game();
    state.SetLabel(game.name());
    for (auto _ : state) {
        const Tallies tallies(game);
        benchmark::DoNotOptimize(tallies.none());
    }
}
BENCHMARK(BM_BuildTallies)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

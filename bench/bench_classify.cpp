// Classifying all 2,869,685 hands of the 53-card deck: the machine's classifier against the
// odds engine's table classifier.
#include <benchmark/benchmark.h>

#include "game/hand_evaluation.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"

namespace quillon::odds {
namespace {

constexpr int kCards = CardId::kCount;
constexpr std::int64_t kHands = 2'869'685;

// Calls `classify` on every hand, cards in increasing code order, and sums what it returns.
template <typename Classify>
std::uint64_t every_hand(Classify&& classify) {
    std::uint64_t sum = 0;
    std::array<CardId, 5> h{};
    for (int a = 0; a < kCards; ++a) {
        h[0] = CardId::from_code(a);
        for (int b = a + 1; b < kCards; ++b) {
            h[1] = CardId::from_code(b);
            for (int c = b + 1; c < kCards; ++c) {
                h[2] = CardId::from_code(c);
                for (int d = c + 1; d < kCards; ++d) {
                    h[3] = CardId::from_code(d);
                    for (int e = d + 1; e < kCards; ++e) {
                        h[4] = CardId::from_code(e);
                        sum += static_cast<std::uint64_t>(classify(h));
                    }
                }
            }
        }
    }
    return sum;
}

void BM_MachineClassifierAllHands(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            every_hand([](const std::array<CardId, 5>& h) { return classify_hand(h).name; }));
    }
    state.SetItemsProcessed(state.iterations() * kHands);
}
BENCHMARK(BM_MachineClassifierAllHands)->Unit(benchmark::kMillisecond);

void BM_FastClassifierAllHands(benchmark::State& state) {
    const FastClassifier fast(quillon_game_table());
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            every_hand([&](const std::array<CardId, 5>& h) { return fast.classify(h); }));
    }
    state.SetItemsProcessed(state.iterations() * kHands);
}
BENCHMARK(BM_FastClassifierAllHands)->Unit(benchmark::kMillisecond);

// The same tables fed partial sums, the way the tallies walk the hands.
void BM_FastClassifierAllHandsIncremental(benchmark::State& state) {
    const FastClassifier fast(quillon_game_table());
    std::array<std::uint64_t, kCards> w{};
    for (int i = 0; i < kCards; ++i) {
        w[static_cast<std::size_t>(i)] = fast.word(CardId::from_code(i));
    }
    for (auto _ : state) {
        std::uint64_t sum = 0;
        for (std::size_t a = 0; a < kCards; ++a) {
            for (std::size_t b = a + 1; b < kCards; ++b) {
                const std::uint64_t ab = w[a] + w[b];
                for (std::size_t c = b + 1; c < kCards; ++c) {
                    const std::uint64_t abc = ab + w[c];
                    for (std::size_t d = c + 1; d < kCards; ++d) {
                        const std::uint64_t abcd = abc + w[d];
                        for (std::size_t e = d + 1; e < kCards; ++e) {
                            sum += static_cast<std::uint64_t>(fast.classify_sum(abcd + w[e]));
                        }
                    }
                }
            }
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kHands);
}
BENCHMARK(BM_FastClassifierAllHandsIncremental)->Unit(benchmark::kMillisecond);

// The tables are filled for each game, the readings of wild hands chosen by its pays.
void BM_BuildFastClassifier(benchmark::State& state) {
    const std::string_view name = game_names()[static_cast<std::size_t>(state.range(0))];
    const Game game = find_game(name).value();
    state.SetLabel(std::string(name));
    for (auto _ : state) {
        const FastClassifier fast(game);
        benchmark::DoNotOptimize(fast.word(CardId::joker()));
    }
}
BENCHMARK(BM_BuildFastClassifier)
    ->DenseRange(0, static_cast<std::int64_t>(game_names().size()) - 1)
    ->Unit(benchmark::kMillisecond);

// Reading a built-in pay-table file.
void BM_ParseGame(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(find_game("double-double-bonus-9-6"));
    }
}
BENCHMARK(BM_ParseGame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillon::odds

BENCHMARK_MAIN();

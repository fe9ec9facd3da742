#include "odds/play/game_return.h"

#include <cmath>
#include <numeric>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "base/threads.h"
#include "base/wide.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {

namespace {

// One thread's share: every `stride`-th block of deal classes, starting at block `first`, up to
// the deal where `stop` asks to stop.
void play_share(const Tallies& tallies, const std::vector<DealClass>& classes, std::size_t first,
                std::size_t stride, const std::stop_token& stop,
                std::vector<std::uint64_t>& totals) {
    constexpr std::size_t kBlock = 512;
    const std::size_t rows = tallies.game().row_count();
    const int left = tallies.deck_size() - 5;
    const std::uint64_t lcm = draw_lcm(left);
    std::array<std::uint64_t, 6> per_draw{};
    for (int kept = 0; kept <= 5; ++kept) {
        per_draw[static_cast<std::size_t>(kept)] = lcm / choose(left, 5 - kept);
    }
    HoldValues values;
    for (std::size_t block = first * kBlock; block < classes.size(); block += stride * kBlock) {
        const std::size_t end = std::min(classes.size(), block + kBlock);
        for (std::size_t i = block; i < end && !stop.stop_requested(); ++i) {
            const SortedDeal deal(classes[i].cards);
            value_holds(tallies, deal, values);
            const HoldMask best = best_hold(tallies, deal, values);
            const std::uint64_t weight = per_draw[kHoldSize[best]] * classes[i].weight;
            const Tallies::Lanes<std::int32_t> counts = count_hold(tallies, deal, best);
            for (std::size_t r = 0; r < rows; ++r) {
                totals[r] += static_cast<std::uint64_t>(counts[r]) * weight;
            }
        }
    }
}

}  // namespace

std::uint64_t draw_lcm(int cards_left) {
    std::uint64_t lcm = 1;
    for (int k = 0; k <= 5; ++k) {
        lcm = std::lcm(lcm, choose(cards_left, k));
    }
    return lcm;
}

GameReturn game_return(const Tallies& tallies, unsigned threads) {
    return game_return(tallies, deal_classes(tallies.game().jokers()), threads);
}

GameReturn game_return(const Tallies& tallies, const std::vector<DealClass>& classes,
                       unsigned threads) {
    const Game& game = tallies.game();
    threads = threads == 0 ? 1 : threads;
    std::vector<std::vector<std::uint64_t>> totals(threads,
                                                   std::vector<std::uint64_t>(game.row_count()));
    const std::stop_token stop = current_stop();
    on_threads(threads,
               [&](unsigned t) { play_share(tallies, classes, t, threads, stop, totals[t]); });
    stop_point(stop);
    GameReturn out;
    out.counts.assign(game.row_count(), 0);
    for (const auto& share : totals) {
        for (std::size_t r = 0; r < share.size(); ++r) {
            out.counts[r] += share[r];
        }
    }
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        out.pays.push_back(game.pay(r));
    }
    out.deals = choose(tallies.deck_size(), 5);
    out.weight_per_deal = draw_lcm(tallies.deck_size() - 5);
    out.total = out.deals * out.weight_per_deal;
    out.pay_scale = game.pay_scale();
    return out;
}

std::uint64_t GameReturn::pay_total() const {
    std::uint64_t sum = 0;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        sum += counts[r] * static_cast<std::uint64_t>(pays[r]);
    }
    return sum;
}

double GameReturn::return_rate() const {
    return static_cast<double>(pay_total()) /
           (static_cast<double>(total) * static_cast<double>(pay_scale));
}

double GameReturn::probability(std::size_t row) const {
    return static_cast<double>(counts[row]) / static_cast<double>(total);
}

double GameReturn::hit_frequency() const {
    std::uint64_t hits = 0;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        hits += pays[r] > 0 ? counts[r] : 0;
    }
    return static_cast<double>(hits) / static_cast<double>(total);
}

double GameReturn::standard_deviation() const {
    // total * sum(c p^2) - (sum(c p))^2, exact, over total^2.
    Wide squares = 0;
    for (std::size_t r = 0; r < counts.size(); ++r) {
        const auto p = static_cast<Wide>(pays[r]);
        squares += static_cast<Wide>(counts[r]) * p * p;
    }
    const auto sum = static_cast<Wide>(pay_total());
    const Wide spread = static_cast<Wide>(total) * squares - sum * sum;
    const long double t = static_cast<long double>(total) * static_cast<long double>(pay_scale);
    return static_cast<double>(std::sqrt(static_cast<long double>(spread)) / t);
}

}  // namespace quillon::odds

#include "odds/play/deal_outcomes.h"

#include <algorithm>
#include <thread>
#include <unordered_map>

#include "base/combinatorics.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {

namespace {

// A distribution as its key: the row counts and the cards kept.
struct Key {
    Tallies::Lanes<std::int32_t> counts{};
    std::uint8_t kept = 0;
    bool operator==(const Key&) const = default;
};

struct KeyHash {
    std::size_t operator()(const Key& k) const {
        std::uint64_t h = k.kept;
        for (const std::int32_t c : k.counts) {
            h = (h ^ static_cast<std::uint32_t>(c)) * 0x100000001b3ull;
        }
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

using Share = std::unordered_map<Key, std::uint64_t, KeyHash>;

void play_share(const Tallies& tallies, const std::vector<DealClass>& classes, std::size_t first,
                std::size_t stride, Share& share) {
    constexpr std::size_t kBlock = 512;
    const int left = tallies.deck_size() - 5;
    HoldValues values;
    for (std::size_t block = first * kBlock; block < classes.size(); block += stride * kBlock) {
        const std::size_t end = std::min(classes.size(), block + kBlock);
        for (std::size_t i = block; i < end; ++i) {
            const SortedDeal deal(classes[i].cards);
            value_holds(tallies, deal, values);
            const HoldMask best = best_of(values, left);
            share[Key{count_hold(tallies, deal, best), kHoldSize[best]}] += classes[i].weight;
        }
    }
}

}  // namespace

DealOutcomes best_hold_outcomes(const Tallies& tallies, unsigned threads) {
    return best_hold_outcomes(tallies, deal_classes(tallies.game().jokers()), threads);
}

DealOutcomes best_hold_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                                unsigned threads) {
    const Game& game = tallies.game();
    threads = threads == 0 ? 1 : threads;
    std::vector<Share> shares(threads);
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back([&, t] { play_share(tallies, classes, t, threads, shares[t]); });
        }
        play_share(tallies, classes, 0, threads, shares[0]);
    }
    for (unsigned t = 1; t < threads; ++t) {
        for (const auto& [key, deals] : shares[t]) {
            shares[0][key] += deals;
        }
    }
    // In a fixed order, so that every run adds the figures up alike.
    std::vector<std::pair<Key, std::uint64_t>> sorted(shares[0].begin(), shares[0].end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.first.kept != b.first.kept ? a.first.kept < b.first.kept
                                            : a.first.counts < b.first.counts;
    });
    DealOutcomes out;
    out.rows = game.row_count();
    const int left = tallies.deck_size() - 5;
    for (const auto& [key, deals] : sorted) {
        out.counts.insert(out.counts.end(), key.counts.begin(), key.counts.begin() + out.rows);
        out.draws.push_back(static_cast<std::int64_t>(choose(left, 5 - key.kept)));
        out.deals.push_back(deals);
    }
    out.all_deals = choose(tallies.deck_size(), 5);
    return out;
}

GameReturn game_return_of(const DealOutcomes& outcomes, const Game& game) {
    GameReturn out;
    out.counts.assign(game.row_count(), 0);
    out.deals = outcomes.all_deals;
    out.weight_per_deal = draw_lcm(game.deck_size() - 5);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const std::uint64_t weight =
            out.weight_per_deal / static_cast<std::uint64_t>(outcomes.draws[i]) * outcomes.deals[i];
        const std::int32_t* counts = outcomes.counts_of(i);
        for (std::size_t r = 0; r < outcomes.rows; ++r) {
            out.counts[r] += static_cast<std::uint64_t>(counts[r]) * weight;
        }
    }
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        out.pays.push_back(game.pay(r));
    }
    out.total = out.deals * out.weight_per_deal;
    out.pay_scale = game.pay_scale();
    return out;
}

}  // namespace quillon::odds

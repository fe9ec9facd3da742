#include "odds/play/deal_outcomes.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

#include "base/combinatorics.h"
#include "base/threads.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {

namespace {

// Calls `play(i)` for every `stride`-th block of deal classes, starting at block `first`.
template <typename Play>
void for_share(std::size_t size, std::size_t first, std::size_t stride, Play&& play) {
    constexpr std::size_t kBlock = 512;
    for (std::size_t block = first * kBlock; block < size; block += stride * kBlock) {
        const std::size_t end = std::min(size, block + kBlock);
        for (std::size_t i = block; i < end; ++i) {
            play(i);
        }
    }
}

void play_share(const Tallies& tallies, const std::vector<DealClass>& classes, std::size_t first,
                std::size_t stride, OutcomeTally& share) {
    HoldValues values;
    for_share(classes.size(), first, stride, [&](std::size_t i) {
        const SortedDeal deal(classes[i].cards);
        value_holds(tallies, deal, values);
        const HoldMask best = best_hold(tallies, deal, values);
        share.add(count_hold(tallies, deal, best), kHoldSize[best], classes[i].weight);
    });
}

// A deal whose best hold is not the one stored.
struct Moved {
    std::size_t deal = 0;
    HoldMask best = 0;
};

// The deals whose best hold at the tallies' pays is not the stored one, in the order of the
// classes.
std::vector<Moved> moved_deals(const Tallies& tallies, const std::vector<DealClass>& classes,
                               std::span<const HoldMask> stored, unsigned threads) {
    if (stored.size() != classes.size()) {
        throw std::invalid_argument("the stored holds are not of these deals");
    }
    threads = threads == 0 ? 1 : threads;
    std::vector<std::vector<Moved>> shares(threads);
    on_threads(threads, [&](unsigned t) {
        HoldValues values;
        for_share(classes.size(), t, threads, [&](std::size_t i) {
            const SortedDeal deal(classes[i].cards);
            value_holds(tallies, deal, values);
            if (!is_best_hold(tallies, deal, values, stored[i])) {
                shares[t].push_back({i, best_hold(tallies, deal, values)});
            }
        });
    });
    std::vector<Moved> out;
    for (const auto& share : shares) {
        out.insert(out.end(), share.begin(), share.end());
    }
    std::sort(out.begin(), out.end(),
              [](const Moved& a, const Moved& b) { return a.deal < b.deal; });
    return out;
}

}  // namespace

DealOutcomes best_hold_outcomes(const Tallies& tallies, unsigned threads) {
    return best_hold_outcomes(tallies, deal_classes(tallies.game().jokers()), threads);
}

DealOutcomes best_hold_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                                unsigned threads) {
    threads = threads == 0 ? 1 : threads;
    std::vector<OutcomeTally> shares(threads);
    on_threads(threads, [&](unsigned t) { play_share(tallies, classes, t, threads, shares[t]); });
    for (unsigned t = 1; t < threads; ++t) {
        shares[0].add(shares[t]);
    }
    return shares[0].outcomes(tallies.game());
}

std::vector<HoldMask> best_holds(const Tallies& tallies, const std::vector<DealClass>& classes,
                                 unsigned threads) {
    threads = threads == 0 ? 1 : threads;
    std::vector<HoldMask> best(classes.size());
    on_threads(threads, [&](unsigned t) {
        HoldValues values;
        for_share(classes.size(), t, threads, [&](std::size_t i) {
            const SortedDeal deal(classes[i].cards);
            value_holds(tallies, deal, values);
            best[i] = best_hold(tallies, deal, values);
        });
    });
    return best;
}

std::size_t OutcomeTally::KeyHash::operator()(const Key& k) const {
    std::uint64_t h = k.kept;
    for (const std::int32_t c : k.counts) {
        h = (h ^ static_cast<std::uint32_t>(c)) * 0x100000001b3ull;
    }
    return static_cast<std::size_t>(h ^ (h >> 29));
}

void OutcomeTally::add(const Counts& counts, std::uint8_t kept, std::int64_t deals) {
    const auto [at, made] = deals_.try_emplace(Key{counts, kept}, deals);
    if (!made && (at->second += deals) == 0) {
        deals_.erase(at);
    }
}

void OutcomeTally::add(const OutcomeTally& other) {
    for (const auto& [key, deals] : other.deals_) {
        add(key.counts, key.kept, deals);
    }
}

DealOutcomes OutcomeTally::outcomes(const Game& game) const {
    std::vector<std::pair<Key, std::int64_t>> sorted(deals_.begin(), deals_.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return a.first.kept != b.first.kept ? a.first.kept < b.first.kept
                                            : a.first.counts < b.first.counts;
    });
    DealOutcomes out;
    out.rows = game.row_count();
    const int left = game.deck_size() - 5;
    for (const auto& [key, deals] : sorted) {
        out.counts.insert(out.counts.end(), key.counts.begin(), key.counts.begin() + out.rows);
        out.draws.push_back(static_cast<std::int64_t>(choose(left, 5 - key.kept)));
        out.deals.push_back(static_cast<std::uint64_t>(deals));
    }
    out.all_deals = choose(game.deck_size(), 5);
    return out;
}

DealOutcomes replay_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                             std::span<const HoldMask> stored, const DealOutcomes& base,
                             unsigned threads) {
    const std::vector<Moved> moved = moved_deals(tallies, classes, stored, threads);
    OutcomeTally tally;
    const int left = tallies.deck_size() - 5;
    for (std::size_t i = 0; i < base.size(); ++i) {
        OutcomeTally::Counts counts{};
        std::copy_n(base.counts_of(i), base.rows, counts.begin());
        std::uint8_t kept = 0;
        while (static_cast<std::int64_t>(choose(left, 5 - kept)) != base.draws[i]) {
            ++kept;
        }
        tally.add(counts, kept, static_cast<std::int64_t>(base.deals[i]));
    }
    for (const Moved& m : moved) {
        const SortedDeal deal(classes[m.deal].cards);
        const std::int64_t weight = classes[m.deal].weight;
        const HoldMask old = stored[m.deal];
        tally.add(count_hold(tallies, deal, old), kHoldSize[old], -weight);
        tally.add(count_hold(tallies, deal, m.best), kHoldSize[m.best], weight);
    }
    return tally.outcomes(tallies.game());
}

GameReturn replay_return(const Tallies& tallies, const std::vector<DealClass>& classes,
                         std::span<const HoldMask> stored, const DealOutcomes& base,
                         unsigned threads) {
    const std::vector<Moved> moved = moved_deals(tallies, classes, stored, threads);
    const Game& game = tallies.game();
    GameReturn out = game_return_of(base, game);
    const int left = tallies.deck_size() - 5;
    const auto weight = [&](HoldMask hold) {
        return out.weight_per_deal / choose(left, 5 - kHoldSize[hold]);
    };
    // Counts are whole numbers and every sum ends up at least zero, so they may pass below it
    // on the way, as unsigned numbers wrap.
    for (const Moved& m : moved) {
        const SortedDeal deal(classes[m.deal].cards);
        const std::uint64_t deals = classes[m.deal].weight;
        const HoldMask old = stored[m.deal];
        const Tallies::Lanes<std::int32_t> was = count_hold(tallies, deal, old);
        const Tallies::Lanes<std::int32_t> now = count_hold(tallies, deal, m.best);
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            out.counts[r] += static_cast<std::uint64_t>(now[r]) * weight(m.best) * deals;
            out.counts[r] -= static_cast<std::uint64_t>(was[r]) * weight(old) * deals;
        }
    }
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

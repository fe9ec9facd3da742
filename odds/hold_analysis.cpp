#include "odds/hold_analysis.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "odds/combinatorics.h"

namespace quillon::odds {

namespace {

template <typename T>
void widen(const Tallies::Lanes<T>& from, Tallies::Lanes<std::int32_t>& to) {
    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
        to[lane] = static_cast<std::int32_t>(from[lane]);
    }
}

// The holds of each size, so that each size reads its own tally without a branch per hold.
struct MasksBySize {
    std::array<std::array<std::uint8_t, 10>, 6> masks{};
    std::array<std::size_t, 6> count{};
};
constexpr MasksBySize masks_by_size() {
    MasksBySize m;
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        const auto size = static_cast<std::size_t>(std::popcount(mask));
        m.masks[size][m.count[size]++] = static_cast<std::uint8_t>(mask);
    }
    return m;
}
constexpr MasksBySize kBySize = masks_by_size();

}  // namespace

int HoldOutcome::kept() const {
    return std::popcount(static_cast<unsigned>(mask));
}

bool pays_more(const HoldOutcome& a, const HoldOutcome& b) {
    return a.pay_total * b.draws > b.pay_total * a.draws;
}

void count_holds(const Tallies& tallies, const std::array<int, 5>& sorted, HoldCounts& out) {
    std::array<std::size_t, kHoldCount> rank{};
    for (unsigned mask = 1; mask < kHoldCount; ++mask) {
        const int top = std::bit_width(mask) - 1;
        rank[mask] = rank[mask & ~(1u << top)] +
                     choose(sorted[static_cast<std::size_t>(top)], std::popcount(mask));
    }
    widen(tallies.none(), out[0]);
    for (std::size_t i = 0; i < kBySize.count[1]; ++i) {
        const std::uint8_t mask = kBySize.masks[1][i];
        widen(tallies.one(rank[mask]), out[mask]);
    }
    for (std::size_t i = 0; i < kBySize.count[2]; ++i) {
        const std::uint8_t mask = kBySize.masks[2][i];
        widen(tallies.two(rank[mask]), out[mask]);
    }
    for (std::size_t i = 0; i < kBySize.count[3]; ++i) {
        const std::uint8_t mask = kBySize.masks[3][i];
        widen(tallies.three(rank[mask]), out[mask]);
    }
    for (std::size_t i = 0; i < kBySize.count[4]; ++i) {
        const std::uint8_t mask = kBySize.masks[4][i];
        widen(tallies.four(rank[mask]), out[mask]);
    }
    out[kHoldCount - 1] = {};
    out[kHoldCount - 1][tallies.row_of_hand(sorted)] = 1;
    // Inclusion and exclusion, one dealt card at a time: drop the hands that hold that card.
    for (unsigned bit = 1; bit < kHoldCount; bit <<= 1) {
        for (unsigned mask = 0; mask < kHoldCount; ++mask) {
            if ((mask & bit) == 0) {
                for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
                    out[mask][lane] -= out[mask | bit][lane];
                }
            }
        }
    }
}

HoldMask best_of(const std::array<std::int64_t, kHoldCount>& pay_totals, int cards_left) {
    std::array<std::int64_t, 6> draws{};
    for (int kept = 0; kept <= 5; ++kept) {
        draws[static_cast<std::size_t>(kept)] =
            static_cast<std::int64_t>(choose(cards_left, 5 - kept));
    }
    unsigned best = 0;
    for (unsigned mask = 1; mask < kHoldCount; ++mask) {
        const auto kept = static_cast<std::size_t>(std::popcount(mask));
        const auto best_kept = static_cast<std::size_t>(std::popcount(best));
        if (pay_totals[mask] * draws[best_kept] > pay_totals[best] * draws[kept]) {
            best = mask;
        }
    }
    return static_cast<HoldMask>(best);
}

std::array<HoldOutcome, kHoldCount> analyze_deal(const Tallies& tallies,
                                                 const std::array<CardId, 5>& deal) {
    const bool joker = tallies.game().has_joker();
    std::array<int, 5> order{0, 1, 2, 3, 4};
    std::array<int, 5> index{};
    for (std::size_t i = 0; i < 5; ++i) {
        if (deal[i].is_joker() && !joker) {
            throw std::invalid_argument("this game's deck has no joker");
        }
        index[i] = deck_index(deal[i], joker);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return index[static_cast<std::size_t>(a)] < index[static_cast<std::size_t>(b)];
    });
    std::array<int, 5> sorted{};
    for (std::size_t i = 0; i < 5; ++i) {
        sorted[i] = index[static_cast<std::size_t>(order[i])];
        if (i > 0 && sorted[i] == sorted[i - 1]) {
            throw std::invalid_argument("a card is dealt twice");
        }
    }
    HoldCounts counts;
    count_holds(tallies, sorted, counts);

    const int left = tallies.deck_size() - 5;
    const Game& game = tallies.game();
    std::array<HoldOutcome, kHoldCount> holds{};
    for (unsigned s = 0; s < kHoldCount; ++s) {
        unsigned mask = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            if ((s >> i & 1u) != 0) {
                mask |= 1u << order[i];
            }
        }
        HoldOutcome& h = holds[mask];
        h.mask = static_cast<HoldMask>(mask);
        h.counts = counts[s];
        h.draws = static_cast<std::int64_t>(choose(left, 5 - std::popcount(s)));
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            h.pay_total += game.pay(r) * h.counts[r];
        }
    }
    return holds;
}

std::vector<HoldOutcome> holds_best_first(const std::array<HoldOutcome, kHoldCount>& holds) {
    std::vector<HoldOutcome> sorted(holds.begin(), holds.end());
    std::stable_sort(sorted.begin(), sorted.end(), pays_more);
    return sorted;
}

}  // namespace quillon::odds

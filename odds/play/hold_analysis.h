#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/card.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// Bit i of a hold keeps card i of the deal.
using HoldMask = std::uint8_t;
inline constexpr std::size_t kHoldCount = 32;

// The cards each hold keeps, from a table: the baseline x86-64 target has no popcount
// instruction and the library call for it would dominate a deal's analysis.
inline constexpr std::array<std::uint8_t, kHoldCount> kHoldSize = [] {
    std::array<std::uint8_t, kHoldCount> size{};
    for (unsigned mask = 1; mask < kHoldCount; ++mask) {
        size[mask] = static_cast<std::uint8_t>(size[mask >> 1] + (mask & 1u));
    }
    return size;
}();

// Every equally likely draw after one hold, counted by the pay row it ends in.
struct HoldOutcome {
    HoldMask mask = 0;
    // The number of draws: C(cards left, cards discarded).
    std::int64_t draws = 0;
    // The pays of all the draws added up, in the game's pay units; `pay_scale` of them make one
    // coin per coin bet, so the expected return is pay_total / (draws * pay_scale).
    std::int64_t pay_total = 0;
    std::int64_t pay_scale = 1;
    Tallies::Lanes<std::int32_t> counts{};

    // Per coin bet.
    double expected_return() const {
        return static_cast<double>(pay_total) /
               (static_cast<double>(draws) * static_cast<double>(pay_scale));
    }
    int kept() const;
};

// True when a returns strictly more than b, compared exactly.
bool pays_more(const HoldOutcome& a, const HoldOutcome& b);

// A deal's cards as sorted deck indices, and the rank of each of its 32 subsets by mask over
// those sorted cards. The hands that keep H and avoid the discards D are the tallies of the
// supersets of H inside the deal, added with alternating signs.
struct SortedDeal {
    explicit SortedDeal(const std::array<int, 5>& sorted_cards);

    std::array<int, 5> cards;
    std::array<std::size_t, kHoldCount> rank{};
};

// The pay totals of all 32 holds, by mask over the sorted cards.
using HoldValues = std::array<std::int64_t, kHoldCount>;
void value_holds(const Tallies& tallies, const SortedDeal& deal, HoldValues& out);

// The row counts of all 32 holds, or of one.
using HoldCounts = std::array<Tallies::Lanes<std::int32_t>, kHoldCount>;
void count_holds(const Tallies& tallies, const SortedDeal& deal, HoldCounts& out);
Tallies::Lanes<std::int32_t> count_hold(const Tallies& tallies, const SortedDeal& deal,
                                        HoldMask hold);

// The mask of the best hold over sorted cards, given the pay totals of every hold. Among holds
// that return exactly the same, the one with the smallest mask wins.
HoldMask best_of(const std::array<std::int64_t, kHoldCount>& pay_totals, int cards_left);

// The 32 holds of a deal, by mask over the deal's own order.
std::array<HoldOutcome, kHoldCount> analyze_deal(const Tallies& tallies,
                                                 const std::array<CardId, 5>& deal);

// The same holds, best first (equal returns keep mask order).
std::vector<HoldOutcome> holds_best_first(const std::array<HoldOutcome, kHoldCount>& holds);

}  // namespace quillon::odds

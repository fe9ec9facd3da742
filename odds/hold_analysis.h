#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/card.h"
#include "odds/tallies.h"

namespace quillon::odds {

// Bit i of a hold keeps card i of the deal.
using HoldMask = std::uint8_t;
inline constexpr std::size_t kHoldCount = 32;

// Every equally likely draw after one hold, counted by the pay row it ends in.
struct HoldOutcome {
    HoldMask mask = 0;
    // The number of draws: C(cards left, cards discarded).
    std::int64_t draws = 0;
    // The pays of all the draws added up, per coin; the expected return is pay_total / draws.
    std::int64_t pay_total = 0;
    Tallies::Lanes<std::int32_t> counts{};

    double expected_return() const {
        return static_cast<double>(pay_total) / static_cast<double>(draws);
    }
    int kept() const;
};

// True when a returns strictly more than b, compared exactly.
bool pays_more(const HoldOutcome& a, const HoldOutcome& b);

// The row counts of all 32 holds of a deal in rank-sorted deck indices, by hold mask over the
// sorted cards. The hands that keep H and avoid the discards D are the tallies of the supersets
// of H inside the deal, added with alternating signs.
using HoldCounts = std::array<Tallies::Lanes<std::int32_t>, kHoldCount>;
void count_holds(const Tallies& tallies, const std::array<int, 5>& sorted, HoldCounts& out);

// The mask of the best hold over sorted cards, given the pay totals of every hold. Among holds
// that return exactly the same, the one with the smallest mask wins.
HoldMask best_of(const std::array<std::int64_t, kHoldCount>& pay_totals, int cards_left);

// The 32 holds of a deal, by mask over the deal's own order.
std::array<HoldOutcome, kHoldCount> analyze_deal(const Tallies& tallies,
                                                 const std::array<CardId, 5>& deal);

// The same holds, best first (equal returns keep mask order).
std::vector<HoldOutcome> holds_best_first(const std::array<HoldOutcome, kHoldCount>& holds);

}  // namespace quillon::odds

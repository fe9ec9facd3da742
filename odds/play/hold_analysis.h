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

// Card order, which breaks ties between holds of exactly equal value: by rank, two to ace (the
// ace above the king), then by suit (spades, diamonds, clubs, hearts), the joker after every
// card. Lower comes first.
int card_order(CardId card);

// The holds of one deal in the order that breaks ties, whatever order the cards were dealt or
// typed in: each hold read as five bits over the cards sorted in card order, the lowest card the
// lowest bit, and the smaller number first. So of two holds, the one that throws away the highest
// card that only one of them keeps comes first (the lower cards kept). Each mask's place, 0
// first (draw five), by mask over the cards given.
using HoldPlaces = std::array<std::uint8_t, kHoldCount>;
HoldPlaces hold_places(const std::array<CardId, 5>& cards);
// The same over a deal's sorted deck indices.
HoldPlaces hold_places(const SortedDeal& deal, bool joker);

// A deal's best hold, the one every figure plays: the greatest return, compared exactly (pay
// totals over draws), and among holds that return exactly the same the first in card order.
// By mask over the cards `places` was made for.
HoldMask best_hold(const HoldValues& pay_totals, int cards_left, const HoldPlaces& places);
// The same over a deal's sorted deck indices, the game's deck and joker from the tallies.
HoldMask best_hold(const Tallies& tallies, const SortedDeal& deal, const HoldValues& pay_totals);

// Whether `hold` is the deal's best hold (best_hold), each other hold compared with it alone:
// quicker where it mostly is, as with the best holds of a table whose pays differ in a row or two.
bool is_best_hold(const HoldValues& pay_totals, int cards_left, HoldMask hold,
                  const HoldPlaces& places);
bool is_best_hold(const Tallies& tallies, const SortedDeal& deal, const HoldValues& pay_totals,
                  HoldMask hold);

// The 32 holds of a deal, by mask over the deal's own order.
std::array<HoldOutcome, kHoldCount> analyze_deal(const Tallies& tallies,
                                                 const std::array<CardId, 5>& deal);

// The same holds, best first, holds of equal return in card order (as best_hold breaks ties): the
// first is the deal's best hold. `deal` is the deal the masks are over.
std::vector<HoldOutcome> holds_best_first(const std::array<HoldOutcome, kHoldCount>& holds,
                                          const std::array<CardId, 5>& deal);

}  // namespace quillon::odds

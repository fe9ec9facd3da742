#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/ranks.h"

namespace quillon::odds {

// A set of engine ranks, bit r for rank r (bit 0 the two, bit 12 the ace).
using RankSet = std::uint16_t;
inline constexpr RankSet kEveryRank = (1u << kRankCount) - 1;

constexpr bool has_rank(RankSet set, int rank) {
    return (set >> rank & 1u) != 0;
}

// One rank as a pay-table file writes it: a plural word ("aces", "tens", "deuces") or a card's
// symbol ("a", "k", "10", "2"; either case).
std::optional<int> parse_rank(std::string_view word);

// A rank, a range or a list of them: "aces", "2-4", "j-k", "5-k", "2-10", "a,2-4". A range
// starting at the ace counts it low ("a-4": the ace to the four), one ending at it high ("10-a").
// Either the set, or why the text is not one.
struct RankSetParse {
    RankSet set = 0;
    std::string error;
};
RankSetParse parse_rank_set(std::string_view text);

// "aces", "twos", ...
std::string_view rank_plural(int rank);

// The set as a label names a four's ranks: "aces", "2s-4s", "5s-kings", "aces, 2s-4s".
std::string ranks_label(RankSet set);

// The set as a label names a kicker: "an ace", "2-4", "A-4", "J-K".
std::string kicker_label(RankSet set);

}  // namespace quillon::odds

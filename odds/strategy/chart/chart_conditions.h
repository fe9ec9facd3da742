#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"

// Exceptions: a line whose words end in what a player sees among the cards thrown away. "with a
// 9 discarded" (some discarded card is a nine), "when the discarded card is a 10" (one card is
// thrown away, a ten), "with no 9 discarded" (no discarded card is a nine), "straight penalty" (a
// discarded card lies in a straight the kept cards can make), "high-card penalty" (a discarded
// card is a high card), "flush penalty" (a discarded card has the kept cards' suit), each also
// with "no", "A-K-10 kept" (the natural cards kept include one of each of those ranks) and "2 or
// more of its suit discarded" (so many flush penalties). The line keeps its pattern's holds where
// every condition holds; placed above the line of the bare pattern, it decides those deals first.
namespace quillon::odds {

struct DiscardCondition {
    // Ranks (engine ranks, bits) one of which a discarded card has; 0 where not asked.
    unsigned discarded = 0;
    // With `discarded`: exactly one card is thrown away, of one of those ranks.
    bool only_discard = false;
    // Ranks (bits) no discarded card has; 0 where not asked.
    unsigned absent = 0;
    // Ranks (bits) each of which a natural card kept has; 0 where not asked.
    unsigned kept = 0;
    // At least this many discarded cards have the suit of the natural cards kept, all of one
    // suit (2 or 3); 0 where not asked.
    int suited_discards = 0;
    // 1: a penalty of that kind is discarded, 0: none is, -1: not asked.
    int straight = -1;
    int high = -1;
    int flush = -1;

    bool any() const {
        return discarded != 0 || absent != 0 || kept != 0 || suited_discards != 0 ||
               straight >= 0 || high >= 0 || flush >= 0;
    }
    bool operator==(const DiscardCondition&) const = default;
};

// A line's pattern words and the condition its end states.
struct ConditionedWords {
    std::string pattern;
    DiscardCondition condition;
};

// Splits the condition off the end of a line's words (lower case, single spaces), or nothing
// where the words end in no condition. A flush penalty alone is no condition: it is the words
// of the patterns that say it.
std::optional<ConditionedWords> split_condition(std::string_view words);

// The condition's words as the program writes them after a pattern: ", with a 9 discarded".
std::string condition_text(const DiscardCondition& condition);

// What a player sees among the cards a hold throws away, for every condition at once: the ranks
// discarded (engine ranks, bits), how many cards go, the three penalties, and the ranks of the
// natural cards kept.
struct DiscardView {
    unsigned ranks = 0;
    unsigned kept = 0;
    int discards = 0;
    bool straight = false;
    bool high = false;
    bool flush = false;
    int suited_discards = 0;
};
DiscardView discard_view(const Game& game, const RankProfile& profile,
                         const std::array<CardId, 5>& deal, HoldMask mask);

// Whether the discards seen meet the condition.
bool condition_meets(const DiscardCondition& condition, const DiscardView& view);

// Whether the hold `mask` of the deal meets the condition.
bool condition_holds(const DiscardCondition& condition, const Game& game,
                     const RankProfile& profile, const std::array<CardId, 5>& deal, HoldMask mask);

}  // namespace quillon::odds

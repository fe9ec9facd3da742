#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"

namespace quillon::odds {

// The one rule for a line that fits several holds of a deal, as the chart, its file and the
// documentation state it; hold_preference applies it.
inline constexpr std::string_view kTieRule =
    "where a line fits several holds, keep the one that can make the most straights (a royal's "
    "cards first), then the one whose natural cards add up to more (a two counting 1, a three 2 "
    "and so on to an ace 13), then the first in card order (by rank, two to ace, then suit, s d c "
    "h: of two holds the one that throws away the highest card only one of them keeps)";

// The pattern in words: "4 to a royal flush", "high pair (jacks or better)", "suited 10-J, no
// flush penalty". Every distinction the pattern makes is in its words, so that the words read
// back as the same pattern.
std::string pattern_text(PatternKey key, const Game& game, const RankProfile& profile);

// What "high card" means in the game's words ("jacks, queens, kings and aces, the ranks whose
// pair pays"); empty where no pair pays and no line counts high cards.
std::string high_card_text(const RankProfile& profile);

// Every pattern a hold of the game can show.
std::vector<PatternKey> vocabulary(const Game& game, const RankProfile& profile);

}  // namespace quillon::odds

#pragma once

#include <unordered_set>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/hold_pattern.h"

// Lines a player works out at the table instead of recognising: the joker's low card chosen by
// its open straights less the discards of its suit, a ten counting one more (a sum with weights),
// and a card kept by how many of its straights the discards leave clear (each straight through
// it checked against every card thrown away). A chart names the cases instead ("joker + seven",
// "nine alone, flush penalty") wherever that costs it at most kRecognisableCost.
namespace quillon::odds {

// What a chart may lose per coin for being read at sight: half a thousandth of a percentage
// point.
inline constexpr double kRecognisableCost = 5e-6;

// The search for a chart without those lines is run again only where the chart that merely
// leaves them out costs at most this much more per coin (0.005 points).
inline constexpr double kRetryCost = 10 * kRecognisableCost;

// Whether a pattern's words, in a game of this profile, ask a player to work something out.
bool worked_out(PatternKey key, const RankProfile& profile);

// The patterns of the game's words that ask a player to work something out.
std::unordered_set<PatternKey> worked_out_patterns(const Game& game, const RankProfile& profile);

// The table with the patterns `left_out` taken out of every deal, as deal_patterns() leaves them
// out: the other patterns keep their entries and their order. Holds that only those patterns
// kept stay stored, unread.
DealPatterns without_patterns(const DealPatterns& table,
                              const std::unordered_set<PatternKey>& left_out);

}  // namespace quillon::odds

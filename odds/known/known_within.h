#pragma once

#include "odds/known/known_by_play.h"

namespace quillon::odds {

// The chances of losing 100, 400 and 1,000 bets within a session of kSessionHands hands played
// in rounds of 2 to 100 hands (ceil(kSessionHands / N) rounds), for every built-in game at the
// full bet: by the exact recursion on the bankroll over the rounds' whole distributions
// (tools/ruin_table/session_ruin.h), which takes seconds to minutes a game, so tools/ruin_table
// writes them into odds/known/within.tsv.
std::span<const KnownByPlay> known_within_games();

inline const std::array<double, 3>* known_ruin_within(std::string_view name, const Game& game,
                                                      int play) {
    return known_by_play(known_within_games(), name, game, play);
}

}  // namespace quillon::odds

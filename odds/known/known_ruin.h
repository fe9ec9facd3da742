#pragma once

#include "odds/known/known_by_play.h"

namespace quillon::odds {

// The chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands, for the
// built-in games that pay back, at the full bet: found on the circle (ladder_from_circle) by
// tools/ruin_table, which writes odds/known/ruin.tsv, because the finer circles of the larger
// rounds take up to a second or so, past `return`'s time.
std::span<const KnownByPlay> known_ruin_games();

inline const std::array<double, 3>* known_ruin_ever(std::string_view name, const Game& game,
                                                    int play) {
    return known_by_play(known_ruin_games(), name, game, play);
}

}  // namespace quillon::odds

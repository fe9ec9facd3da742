#pragma once

#include <array>
#include <ostream>

#include "game/card.h"
#include "odds/double_up.h"
#include "odds/game_return.h"
#include "odds/hold_analysis.h"

namespace quillon::odds {

// The printed reports of quillon-odds.
void print_holds(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                 const std::array<HoldOutcome, kHoldCount>& holds);
void print_game_return(std::ostream& out, const Game& game, const GameReturn& result);
void print_double_up(std::ostream& out, const DoubleUpOdds& odds);

}  // namespace quillon::odds

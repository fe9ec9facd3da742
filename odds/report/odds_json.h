#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "odds/report/odds_report.h"

namespace quillon::odds {

// The reports of quillon-odds for programs: every figure of the printed tables, the exact
// fractions as strings beside the decimals ("return" and "return_exact"). The reports that a
// command adds to are built here; those it prints as they are, printed here, so that a command
// file that only prints one does not compile the JSON library.
nlohmann::ordered_json holds_json(const Game& game, const std::array<CardId, 5>& deal,
                                  const std::array<HoldOutcome, kHoldCount>& holds,
                                  std::optional<HoldMask> hold);
nlohmann::ordered_json game_return_json(const Game& game, const GameReturn& result);
void print_games_json(std::ostream& out, const std::vector<GameSummary>& games);
void print_double_up_json(std::ostream& out, const DoubleUpOdds& odds);

}  // namespace quillon::odds

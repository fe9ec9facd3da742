#pragma once

#include <array>
#include <optional>
#include <vector>

#include <nlohmann/json.hpp>

#include "odds/cli/odds_report.h"

namespace quillon::odds {

// The reports of quillon-odds for programs: every figure of the printed tables, the exact
// fractions as strings beside the decimals ("return" and "return_exact").
nlohmann::ordered_json holds_json(const Game& game, const std::array<CardId, 5>& deal,
                                  const std::array<HoldOutcome, kHoldCount>& holds,
                                  std::optional<HoldMask> hold);
nlohmann::ordered_json game_return_json(const Game& game, const GameReturn& result);
nlohmann::ordered_json games_json(const std::vector<GameSummary>& games);
nlohmann::ordered_json double_up_json(const DoubleUpOdds& odds);

}  // namespace quillon::odds

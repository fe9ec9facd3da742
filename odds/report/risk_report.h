#pragma once

#include <ostream>

#include <nlohmann/json_fwd.hpp>

#include "odds/games/pay_table.h"
#include "odds/risk/session_risk.h"

namespace quillon::odds {

// The risk of a session beside a game's return: where the variance comes from, N0 and the risk
// of ruin of a few bankrolls.
void print_session_risk(std::ostream& out, const Game& game, const SessionRisk& risk);
nlohmann::ordered_json session_risk_json(const Game& game, const SessionRisk& risk);

}  // namespace quillon::odds

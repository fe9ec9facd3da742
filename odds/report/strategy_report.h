#pragma once

#include <array>
#include <ostream>
#include <string>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::odds {

// A chart as a player reads it, with its exact cost against perfect play; `origin` says where
// the chart comes from ("derived from the exact holds of ..." or "read from FILE"), and
// `examples` adds one deal each line decides.
// With `play` hands a round the chart is the same; the report says so.
void print_chart_report(std::ostream& out, const Game& game, const ChartReport& report,
                        const std::string& origin, bool examples, int play = 1);
// The same as one JSON object.
void print_chart_json(std::ostream& out, const Game& game, const ChartReport& report, bool examples,
                      int play = 1);

// The line of a chart that decides one deal and the hold it keeps.
void print_decision(std::ostream& out, const std::array<CardId, 5>& deal,
                    const ChartDecision& decision);
void print_decision_json(std::ostream& out, const std::array<CardId, 5>& deal,
                         const ChartDecision& decision);

}  // namespace quillon::odds

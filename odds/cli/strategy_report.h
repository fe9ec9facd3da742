#pragma once

#include <ostream>

#include "odds/pay_table.h"
#include "odds/strategy/strategy_chart.h"

namespace quillon::odds {

// The chart as a player reads it, with its exact cost against perfect play.
// With `play` hands a round the chart is the same; the report says so.
void print_strategy(std::ostream& out, const Game& game, const StrategyChart& chart, int play = 1);
// The same as one JSON object.
void print_strategy_json(std::ostream& out, const Game& game, const StrategyChart& chart,
                         int play = 1);

}  // namespace quillon::odds

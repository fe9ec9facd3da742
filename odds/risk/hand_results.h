#pragma once

#include <cstdint>
#include <vector>

#include "odds/game_return.h"

namespace quillon::odds {

// One hand's result in bets, by final hand: what it pays per coin bet less the bet.
struct HandResults {
    std::vector<double> net;
    std::vector<double> probability;
    // The same results in whole units of 1/scale bet (scale = the game's pay units per coin).
    std::vector<std::int64_t> net_units;
    std::int64_t units_per_bet = 1;

    double mean() const;
    double variance() const;
};

HandResults hand_results(const GameReturn& result);

// The fewest parts of a bet that every result is a whole number of: 1 where every pay is whole,
// 2 where some are halves, whatever the pay units. The recursion on the bankroll counts in them,
// its time and memory in proportion, and is run up to kFinestRecursionUnits; finer results give no
// chance within a session, only without end (whose root takes no longer for them).
std::int64_t finest_units(const HandResults& results);

}  // namespace quillon::odds

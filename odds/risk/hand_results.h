#pragma once

#include <cstdint>
#include <vector>

#include "odds/play/game_return.h"

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

// The chance that a bankroll of b bets runs out (falls below one bet) within `hands` hands, for
// every b from 0 to max_bankroll, by the exact backward recursion on the bankroll:
// r_h(b) = sum over final hands of p * r_{h-1}(b + net), r_0(b) = 0, r(b < 1 bet) = 1.
std::vector<double> ruin_within(const HandResults& results, int hands, int max_bankroll);

// The chance that a bankroll of b bets ever runs out in play without end. A hand loses at most
// the one bet, so the bankroll cannot jump past the bottom, and the chance is exactly z^b, z the
// root in (0, 1) of E[z^net] = 1 (the characteristic equation of the walk); 1 on a game that
// does not pay back more than it takes. Exact where every pay is a whole number of bets.
double ruin_ever(const HandResults& results, int bankroll);
double ruin_root(const HandResults& results);

}  // namespace quillon::odds

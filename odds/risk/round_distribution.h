#pragma once

#include <cstdint>
#include <vector>

#include "odds/risk/round_result.h"

namespace quillon::odds {

// The chances of a round's results in steps of 1/units() of a bet, shifted up by the most the
// round can lose: chance[y] is the chance of a result of y - down steps. Results from some
// `limit` up may be left out (a walk on the bankroll that needs no more).
struct RoundDistribution {
    std::int64_t down = 0;
    std::vector<double> chance;
};

// Chances below this are dropped from the rounds' distributions: at most a few million of
// them, far below any chance of ruin counted from them.
inline constexpr double kDroppedRoundChance = 1e-280;

// The distributions of rounds of 1 to `most_play` hands, each holding the results below `limit`
// steps: P_N(x) = sum over deals of w_d [x] g_d^N, each deal's hand distribution g_d raised to
// the N-th power by one convolution with g_d after the last, N = 1, 2, ... All the terms are
// non-negative, so every chance keeps its relative precision. `round` gives the deals and the
// steps; its own number of hands does not matter.
std::vector<RoundDistribution> round_distributions(const RoundResult& round, int most_play,
                                                   std::int64_t limit);

}  // namespace quillon::odds

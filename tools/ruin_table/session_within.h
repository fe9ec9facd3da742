#pragma once

#include <array>
#include <vector>

#include "odds/risk/round_result.h"

namespace quillon::odds {

// The chances of losing 100, 400 and 1,000 bets within a session of kSessionHands hands, for
// rounds of `first` to `last` hands (session_rounds(N) rounds each): from the rounds' whole
// distributions (round_distributions) by the recursion on the bankroll (ruin_within_rounds),
// term by term or on the circle, whichever is faster. `round` gives the deals and their pays.
struct SessionWithin {
    int play = 1;
    int rounds = 0;
    std::array<double, 3> chance{};
    // A bound on each chance's rounding error (0 where every sum is of non-negative terms).
    std::array<double, 3> error{};
    bool on_circle = false;
};

std::vector<SessionWithin> session_within(const RoundResult& round, int first, int last);

}  // namespace quillon::odds

#pragma once

#include <cstdint>
#include <vector>

#include "odds/risk/round_distribution.h"

namespace quillon::odds {

// A round's results as moves of the bankroll, counted in steps (the fewest parts of a bet every
// result is a whole number of), in a fixed order: one hand's final hands in the table's order, or
// the results of a round of N hands from its lowest up. The chances below are sums over them in
// this order.
struct RoundSteps {
    std::vector<std::int64_t> step;
    std::vector<double> chance;
};

// One hand's results (a round of one hand): its rows with a chance, in the table's order.
RoundSteps hand_steps(const RoundResult& round);
// The results of a round of N hands with a chance, from its lowest up.
RoundSteps round_steps(const RoundDistribution& round);

// The chance of losing each bankroll (in steps) within `rounds` rounds, by the exact backward
// recursion on the bankroll: r_k(b) = sum over results of P(x) r_(k-1)(b + x), r_0(b) = 0, and
// r(b) = 1 below `lost_below` steps (the bankroll cannot pay a round). A round loses at most
// some `down` steps (one bet a hand), so r_k(b) = 0 from b = lost_below + k down up: the states
// stop there, and a bankroll above them is safe. Every sum is of non-negative terms, so each
// chance keeps its relative precision; chances below 1e-40 are dropped as the rounds go (each
// round averages the last, so they add at most `rounds` times that to any figure, far below the
// least one printed). Time in proportion to rounds x states x results.
std::vector<double> ruin_within(const RoundSteps& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls);

// The products the recursion takes for `rounds` rounds of N hands (some 3e9 a second on one
// core).
double within_terms(const RoundDistribution& round, int rounds);

}  // namespace quillon::odds

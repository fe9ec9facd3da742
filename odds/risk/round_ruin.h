#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "odds/risk/round_ladder.h"
#include "odds/risk/round_result.h"

namespace quillon::odds {

// The most steps a round may lose at once for its chance without end to be found exactly: each
// is a ladder height to find.
inline constexpr std::int64_t kMostLadderSteps = 400;
// The chance of ever losing each bankroll (in bets) to rounds of N hands, lost below N bets: its
// bounds z^b and z^(b - N + 1) (z^(b - N + 1/2) where results fall on halves of a bet, and so
// on), and the exact chance from the round's descending ladder heights (found on a circle,
// ladder_from_circle, in at most `work` terms), checked to lie between them; where
// it cannot be had, `ever` is the lower bound and `not_exact` says why in one line.
struct RoundRuin {
    std::vector<double> ever;
    std::vector<double> at_least;
    std::vector<double> at_most;
    std::string not_exact;
};
RoundRuin round_ruin_ever(const RoundResult& round, const std::vector<int>& bankrolls,
                          std::size_t work = kCircleWork);
// The bounds alone, `ever` the lower one.
RoundRuin round_ruin_bounds(const RoundResult& round, const std::vector<int>& bankrolls);

}  // namespace quillon::odds

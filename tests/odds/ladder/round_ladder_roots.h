#pragma once

#include <cstddef>

#include "odds/risk/round_result.h"
#include "tests/odds/ladder/ladder_ruin.h"

namespace quillon::odds {

// A round's descending ladder heights from the down() roots of E[w^result] = 1 inside the unit
// circle, found one by one; first guesses at them are the roots for N independent hands of the
// deals' average hand (each a root of its generating function = a root of unity of order N).
// The roots are sought in at most `work` terms (distributions times evaluations). The check on
// the circle's power sums (ladder_from_circle), which `return` uses.
inline constexpr std::size_t kRootWork = 800'000;  // some 15 ms of one core
LadderRuin ladder_by_roots(const RoundResult& round, std::size_t work = kRootWork);

}  // namespace quillon::odds

#pragma once

#include <complex>
#include <functional>
#include <vector>

#include "odds/risk/ladder_heights.h"

namespace quillon::odds {

// The slow, sure way to a walk's ladder heights, from its roots one by one: the tests' check on
// the circle's power sums (ladder_from_circle).

// E[z^step] at complex z, and its derivative.
using WalkPgf =
    std::function<std::complex<double>(std::complex<double> z, std::complex<double>* slope)>;

// A walk's generating function that moves with t from one whose roots are known (t = 0) to the
// walk's own (t = 1).
using WalkFamily = std::function<std::complex<double>(std::complex<double> z,
                                                      std::complex<double>* slope, double t)>;

// Finds the `down` roots of pgf(z) = 1 inside the unit circle by Newton's steps from `guesses`
// (each root given once, those of a conjugate pair by the one above the real axis), each step
// deflated by the roots already found; then from points spread over the disk for any still
// missing. The roots are checked to be `down` distinct ones inside the circle, and the ladder
// heights to be real chances adding up to less than one; otherwise `not_found` says which failed.
LadderRuin ladder_ruin(const WalkPgf& pgf, int down,
                       const std::vector<std::complex<double>>& guesses);
// The same, and where the guesses fail, the family's roots at t = 0 (`known`, one of each pair)
// followed to t = 1; in at most `most_evaluations` evaluations of the generating function.
LadderRuin ladder_ruin(const WalkFamily& family, int down,
                       const std::vector<std::complex<double>>& guesses,
                       const std::vector<std::complex<double>>& known, int most_evaluations);

// The ladder heights of `roots` (all of them, conjugates included), expanded in Leja order so that
// the partial products stay small; empty with `not_found` set where they are not real chances.
LadderRuin ladder_of_roots(std::vector<std::complex<long double>> roots);

}  // namespace quillon::odds

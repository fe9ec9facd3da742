#pragma once

#include <complex>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quillon::odds {

// The chance that a random walk on whole steps ever falls some way below where it starts, for a
// walk that falls at most `down` steps at once and rises on average. The walk's running low moves
// only when it first falls below its last low, each time by 1 to `down` steps (its descending
// ladder heights); their chances h_1..h_down, which add up to less than one, are the
// coefficients of z^down - h_1 z^(down-1) - ... - h_down = (z - z_1)...(z - z_down), z_i the
// `down` roots inside the unit circle of E[z^step] = 1 (Wiener and Hopf's factorisation).
// The chance of ever falling m or more steps is then R(m) = h_1 R(m-1) + ... + h_down R(m-down),
// R(m <= 0) = 1: a sum of chances, each term positive, with no cancellation in it.
// Ladder heights are chances: their imaginary parts and any negative part left by rounding must
// be below this.
inline constexpr long double kLadderRounding = 1e-9L;

struct LadderRuin {
    std::vector<long double> ladder;  // h_1..h_down; empty where not found
    std::vector<std::complex<long double>> roots;
    // Why the ladder is not given, in one line, where it is empty.
    std::string not_found;

    bool found() const { return !ladder.empty(); }
    // R(m) for m = 0..most.
    std::vector<long double> chances(std::int64_t most) const;
};

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

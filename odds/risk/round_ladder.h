#pragma once

#include <complex>
#include <cstddef>
#include <vector>

#include "odds/risk/ladder_heights.h"
#include "odds/risk/round_result.h"

namespace quillon::odds {

// The round's descending ladder heights (the down() roots of E[w^result] = 1 inside the unit
// circle, multiplied out), for rounds of any size without the roots: the power sums of the
// inside roots other than z (round.ruin_root() in steps) are the Fourier coefficients of f'/f on a
// circle around them, f = (E[w^result] - 1) / ((w - 1)(w - z)); the heights follow by Newton's
// identities. The circle lies between those roots and the unit circle, where every deal's
// g_d is near 1 at most and nothing cancels; the trapezoid rule's points are doubled until two
// rules agree. In at most `work` terms (distributions times points), about 40 million a
// second on the machine's two cores; `used` gets the last rule.
inline constexpr std::size_t kCircleWork = 40'000'000;
struct CircleRule {
    int points = 0;
    double radius = 1.0;
};
LadderRuin ladder_from_circle(const RoundResult& round, std::size_t work = kCircleWork,
                              CircleRule* used = nullptr);
// s_0 .. s_(down - 1) of the zeros of f inside the circle of `radius`, by the trapezoid rule on
// `points` points (s_0, the zeros less the pole's order down(), is -1 where all are inside).
std::vector<long double> inside_power_sums(const RoundResult& round, int points, long double z,
                                           double radius);

// The ladder heights h_1..h_down of 1 - sum h_k u^k = (1 - z u) prod (1 - w_i u), from the power
// sums s_0..s_(down - 1) of the w_i (s_0 unused).
std::vector<long double> ladder_from_power_sums(const std::vector<long double>& sums,
                                                long double z);
// The same with `known` roots divided out of the sums (z among them), conjugates together.
std::vector<long double> ladder_from_power_sums(
    const std::vector<long double>& sums, const std::vector<std::complex<long double>>& known);

}  // namespace quillon::odds

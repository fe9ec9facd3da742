#pragma once

#include <cstdint>
#include <vector>

#include "odds/risk/round_distribution.h"

namespace quillon::odds {

// The chance of ruin within a number of rounds of a walk on the bankroll, counted in steps: each
// round adds a result of y - down steps with chance `round.chance[y]`, and a bankroll below
// `lost_below` steps is lost. By the backward recursion r_k(b) = sum_x P(x) r_(k-1)(b + x),
// r_0(b) = 0, r(b) = 1 below `lost_below`. A round loses at most `down` steps, so r_k(b) = 0 from
// b = lost_below + k down up: the states stop there, and results reaching past them need not be
// in `round.chance`.
struct WithinRounds {
    std::vector<double> chance;  // per bankroll
    // A bound on each chance's rounding error where the sums are not all of non-negative
    // terms; 0 where they are.
    std::vector<double> error;
};

// Each round one convolution on a circle (by Fourier transforms), in time rounds x states x
// log(states) whatever the results. Its rounding is absolute, a few units of 1e-16 of the
// largest value at each round; so the walk is tilted by z, the root in (0, 1] of
// sum P(x) z^x = 1 (1 on a walk that drifts down): r(b) z^-b stays within a small factor
// of its largest value across the states where the chance of ever losing lies near z^b, and
// the error is bounded relative to that. `error` holds the bound, summed over the rounds.
WithinRounds ruin_within_circle(const RoundDistribution& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls, double z);

// Whichever is the faster for this walk, term by term (ruin_within) or on the circle: term by
// term where a round has few
// results (a few hands), on the circle where it has many. On the circle the walk is tilted by
// its root first; a bankroll whose chance that leaves short of its digits (within_exact) is
// counted again with its own tilt (session_tilt).
WithinRounds ruin_within_rounds(const RoundDistribution& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls);
bool within_by_circle(const RoundDistribution& round, int rounds);

// The root z in (0, 1] of sum P(x) z^x = 1, per step: 1 where the mean is not above 0.
double walk_root(const RoundDistribution& round);

// The tilt under which a fall of `fall` steps within `rounds` rounds is the walk's usual course:
// the z whose tilted walk, P(x) z^x / sum P z^x, falls fall / rounds steps a round on average,
// or the walk's root (walk_root) where that is the stronger tilt (ruin is then mostly the walk's
// slow way down, as without end). Tilted so, r(b) z^-b is near its largest at that bankroll, and
// the circle's rounding is small beside it.
double session_tilt(const RoundDistribution& round, int rounds, std::int64_t fall, double root);

// Whether a chance is had to the digits it is printed with: its rounding error bound below
// 1e-5 of it, or the chance too small to print at all.
bool within_exact(double chance, double error);

}  // namespace quillon::odds

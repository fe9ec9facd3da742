#pragma once

#include <cstdint>
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
    // Why the ladder is not given, in one line, where it is empty.
    std::string not_found;

    bool found() const { return !ladder.empty(); }
    // R(m) for m = 0..most.
    std::vector<long double> chances(std::int64_t most) const;
};

}  // namespace quillon::odds

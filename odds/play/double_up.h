#pragma once

#include <cstdint>

#include "base/card.h"

namespace quillon::odds {

// One round of the machine's double-up, counted over every (dealer card, player card) pair of
// a fresh 53-card deck: 53 * 52 equally likely pairs. A dealt joker loses at once.
struct DoubleUpOdds {
    std::int64_t wins = 0;
    std::int64_t ties = 0;
    std::int64_t losses = 0;
    std::int64_t pairs = 0;

    // Per coin staked: one round of DOUBLE, a tie leaving the stake in place.
    double double_value() const;
    // Per coin staked: DOUBLE again on every tie until the round is decided.
    double double_until_decided() const;
    // Per stake of `coins`: half of it (the odd coin included) paid, the rest doubled once.
    double half_value(std::int64_t coins) const;
};

// Every pair is scored with the machine's own double_up_count() (game/card.h).
DoubleUpOdds double_up_odds();

}  // namespace quillon::odds

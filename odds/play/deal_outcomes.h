#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/threads.h"
#include "odds/play/game_return.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// The final-hand distributions of every deal played with its best hold, the deals that share
// one distribution counted together. A multi-play round deals once and draws its hands apart
// from the held cards, so the round's result is a mixture of these distributions.
struct DealOutcomes {
    std::size_t rows = 0;
    // Per distribution: the count of each pay row among its `draws` equally likely draws
    // (row-major, `rows` a distribution), and the number of deals it stands for.
    std::vector<std::int32_t> counts;
    std::vector<std::int64_t> draws;
    std::vector<std::uint64_t> deals;
    // C(deck, 5), the deals of all distributions together.
    std::uint64_t all_deals = 0;

    std::size_t size() const { return draws.size(); }
    const std::int32_t* counts_of(std::size_t i) const { return counts.data() + i * rows; }
};

// Plays every class of deals with its best hold, on `threads` threads (ties between holds broken
// as game_return breaks them).
DealOutcomes best_hold_outcomes(const Tallies& tallies, unsigned threads = default_threads());
// The same over the game's deal classes (deal_classes), made beforehand.
DealOutcomes best_hold_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                                unsigned threads);

// The whole game's final hands, as game_return counts them.
GameReturn game_return_of(const DealOutcomes& outcomes, const Game& game);

}  // namespace quillon::odds

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/threads.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// The whole game under perfect play. Every deal is weighted alike and so is every draw after its
// best hold: a deal's draws count lcm / C(cards left, discards) each, so that all deals carry the
// same lcm of C(cards left, k) for k = 0..5 and every count stays a whole number.
struct GameReturn {
    // Final hands by pay row, and their total: C(deck, 5) * lcm.
    std::vector<std::uint64_t> counts;
    std::vector<std::int64_t> pays;
    std::uint64_t total = 0;
    std::uint64_t weight_per_deal = 0;
    std::uint64_t deals = 0;
    // Pay units per coin bet.
    std::int64_t pay_scale = 1;

    // The pays of all final hands in pay units; the return per coin bet is
    // pay_total / (total * pay_scale).
    std::uint64_t pay_total() const;
    double return_rate() const;
    double probability(std::size_t row) const;
    double hit_frequency() const;
    // Per coin bet.
    double standard_deviation() const;
};

// Plays every class of deals alike but for suits with its best hold, on `threads` threads.
GameReturn game_return(const Tallies& tallies, unsigned threads = default_threads());
// The same over the game's deal classes (deal_classes), made beforehand.
GameReturn game_return(const Tallies& tallies, const std::vector<DealClass>& classes,
                       unsigned threads);

// The lcm of C(cards_left, k) for k = 0..5.
std::uint64_t draw_lcm(int cards_left);

}  // namespace quillon::odds

#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "base/threads.h"
#include "odds/play/game_return.h"
#include "odds/play/hold_analysis.h"
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

// Distributions gathered by their row counts and the cards their hold keeps, each with the deals
// it stands for; deals may be taken away again, and a distribution left with none is dropped.
class OutcomeTally {
  public:
    using Counts = Tallies::Lanes<std::int32_t>;

    void add(const Counts& counts, std::uint8_t kept, std::int64_t deals);
    void add(const OutcomeTally& other);
    // The distributions in a fixed order, so that every run adds the figures up alike.
    DealOutcomes outcomes(const Game& game) const;

  private:
    struct Key {
        Counts counts{};
        std::uint8_t kept = 0;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& k) const;
    };
    std::unordered_map<Key, std::int64_t, KeyHash> deals_;
};

// Plays every class of deals with its best hold (best_hold, ties in card order), on `threads`
// threads.
DealOutcomes best_hold_outcomes(const Tallies& tallies, unsigned threads = default_threads());
// The same over the game's deal classes (deal_classes), made beforehand.
DealOutcomes best_hold_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                                unsigned threads);

// The best hold of every deal class, by mask over its sorted cards (best_hold), on `threads`
// threads.
std::vector<HoldMask> best_holds(const Tallies& tallies, const std::vector<DealClass>& classes,
                                 unsigned threads);

// The game's deals played again from the best holds of a table with the same hands and the same
// readings of wild cards (so that each hold draws to the same final hands): `stored` its best
// holds (best_holds), `base` its distributions. Every deal is valued at the game's own pays; only
// where its best hold is not the stored one are its two holds counted: the stored hold's
// distribution taken away, the new one's added.
DealOutcomes replay_outcomes(const Tallies& tallies, const std::vector<DealClass>& classes,
                             std::span<const HoldMask> stored, const DealOutcomes& base,
                             unsigned threads);
// The same for the whole game's final hands only, from `base`'s.
GameReturn replay_return(const Tallies& tallies, const std::vector<DealClass>& classes,
                         std::span<const HoldMask> stored, const DealOutcomes& base,
                         unsigned threads);

// The whole game's final hands, as game_return counts them.
GameReturn game_return_of(const DealOutcomes& outcomes, const Game& game);

}  // namespace quillon::odds

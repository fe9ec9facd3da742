#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "odds/fast_classifier.h"
#include "odds/pay_table.h"

namespace quillon::odds {

// For every set of up to four cards of a game's deck, how many five-card hands containing it end
// in each pay row. Built once per game; a deal's holds then need only 32 look-ups.
class Tallies {
  public:
    static constexpr std::size_t kLanes = Game::kMaxRows;
    template <typename T>
    using Lanes = std::array<T, kLanes>;

    explicit Tallies(Game game);

    const Game& game() const { return game_; }
    int deck_size() const { return game_.deck_size(); }
    const FastClassifier& classifier() const { return classifier_; }

    // The pay row of five cards given by deck index.
    std::size_t row_of_hand(const std::array<int, 5>& cards) const;
    std::uint64_t word_of(int index) const { return words_[static_cast<std::size_t>(index)]; }
    std::size_t row_of_sum(std::uint64_t sum) const {
        return row_of_class_[static_cast<std::size_t>(classifier_.classify_sum(sum))];
    }

    // The tallies of a subset of each size, found by its rank (see subset_rank).
    const Lanes<std::uint8_t>& four(std::size_t rank) const { return four_[rank]; }
    const Lanes<std::uint16_t>& three(std::size_t rank) const { return three_[rank]; }
    const Lanes<std::uint16_t>& two(std::size_t rank) const { return two_[rank]; }
    const Lanes<std::uint32_t>& one(std::size_t index) const { return one_[index]; }
    const Lanes<std::uint32_t>& none() const { return none_; }

  private:
    void tally_hands();
    void tally_smaller_sets();

    Game game_;
    FastClassifier classifier_;
    std::array<std::uint8_t, kHandClassCount> row_of_class_{};
    std::vector<std::uint64_t> words_;
    std::vector<Lanes<std::uint8_t>> four_;
    std::vector<Lanes<std::uint16_t>> three_;
    std::vector<Lanes<std::uint16_t>> two_;
    std::vector<Lanes<std::uint32_t>> one_;
    Lanes<std::uint32_t> none_{};
};

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stop_token>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"

namespace quillon::odds {

// For every set of up to four cards of a game's deck, how many five-card hands containing it end
// in each pay row, and what they pay together. Built once per game; a deal's holds then need
// only 32 look-ups.
class Tallies {
  public:
    static constexpr std::size_t kLanes = Game::kMaxRows;
    template <typename T>
    using Lanes = std::array<T, kLanes>;

    // Counts and pay in one place, so that one cache line serves both.
    template <typename Count, typename Value>
    struct Tally {
        Lanes<Count> counts{};
        Value value = 0;
    };
    using Four = Tally<std::uint8_t, std::uint32_t>;
    using Three = Tally<std::uint16_t, std::int64_t>;
    using Two = Tally<std::uint16_t, std::int64_t>;
    using One = Tally<std::uint32_t, std::int64_t>;
    using None = Tally<std::uint32_t, std::int64_t>;

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

    // The tally of a subset of each size, found by its rank (see subset_rank).
    const Four& four(std::size_t rank) const { return four_[rank]; }
    const Three& three(std::size_t rank) const { return three_[rank]; }
    const Two& two(std::size_t rank) const { return two_[rank]; }
    const One& one(std::size_t index) const { return one_[index]; }
    const None& none() const { return none_; }

  private:
    void tally_hands();
    // The hands whose highest card lies from `first` to before `last`, into `four`.
    void tally_hands_from(int first, int last, const std::stop_token& stop, Four* four) const;
    void tally_smaller_sets();
    void add_up_values();

    Game game_;
    FastClassifier classifier_;
    std::array<std::uint8_t, kHandClassCount> row_of_class_{};
    std::vector<std::uint64_t> words_;
    std::vector<Four> four_;
    std::vector<Three> three_;
    std::vector<Two> two_;
    std::vector<One> one_;
    None none_;
};

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/card.h"
#include "odds/games/hand_class.h"
#include "odds/games/pay_table.h"

namespace quillon::odds {

// Classifies five cards with two table look-ups and no sorting. Each card carries a rank key
// and one counter per suit in a single word, so the five words simply add up: the key sum
// names the rank multiset and a suit counter reaching five marks the flush. A wild card counts
// in every suit. The tables hold, for hands with wild cards, the reading that pays most in the
// game they are built for.
class FastClassifier {
  public:
    explicit FastClassifier(const Game& game);

    // The card's word; sum five of them and pass the sum to `classify_sum`.
    std::uint64_t word(CardId card) const { return words_[static_cast<std::size_t>(card.code())]; }

    HandClass classify_sum(std::uint64_t sum) const {
        // Adding three to every counter sets bit 3 of exactly the counters that reached five.
        const auto suits = static_cast<std::uint32_t>(sum);
        const bool flush = ((suits + 0x03030303u) & 0x08080808u) != 0;
        const std::size_t index = (sum >> 32) + (flush ? kKeySpan : 0);
        return static_cast<HandClass>(classes_[index]);
    }

    HandClass classify(CardId a, CardId b, CardId c, CardId d, CardId e) const {
        return classify_sum(word(a) + word(b) + word(c) + word(d) + word(e));
    }
    HandClass classify(const std::array<CardId, 5>& cards) const {
        return classify(cards[0], cards[1], cards[2], cards[3], cards[4]);
    }

    // One past the largest key sum of five cards.
    static constexpr std::size_t kKeySpan = 535110;

  private:
    std::array<std::uint64_t, CardId::kCodes> words_{};
    // The class of every key sum without a flush, then with one.
    std::vector<std::uint8_t> classes_;
};

}  // namespace quillon::odds

#include "odds/play/deal_analysis.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "base/combinatorics.h"

namespace quillon::odds {

namespace {

using Counts = Tallies::Lanes<std::int32_t>;

// Counts every way of adding `left` more cards from `words[from..]` to the partial sum.
class DrawCounter {
  public:
    DrawCounter(const FastClassifier& classifier,
                const std::array<std::uint8_t, kHandClassCount>& row_of,
                const std::vector<std::uint64_t>& words)
        : classifier_(classifier), row_of_(row_of), words_(words) {}

    void count(std::uint64_t sum, int left, std::size_t from, Counts& out) const {
        const std::size_t n = words_.size();
        if (left == 0) {
            ++out[row(sum)];
            return;
        }
        if (left == 1) {
            for (std::size_t i = from; i < n; ++i) {
                ++out[row(sum + words_[i])];
            }
            return;
        }
        for (std::size_t i = from; i + static_cast<std::size_t>(left) <= n; ++i) {
            count(sum + words_[i], left - 1, i + 1, out);
        }
    }

  private:
    std::size_t row(std::uint64_t sum) const {
        return row_of_[static_cast<std::size_t>(classifier_.classify_sum(sum))];
    }

    const FastClassifier& classifier_;
    const std::array<std::uint8_t, kHandClassCount>& row_of_;
    const std::vector<std::uint64_t>& words_;
};

}  // namespace

std::array<HoldOutcome, kHoldCount> analyze_one_deal(const Game& game,
                                                     const FastClassifier& classifier,
                                                     const std::array<CardId, 5>& deal) {
    std::vector<std::uint64_t> rest;
    for (int i = 0; i < game.deck_size(); ++i) {
        const CardId card = deck_card(i, game.has_joker());
        if (std::find(deal.begin(), deal.end(), card) == deal.end()) {
            rest.push_back(classifier.word(card));
        }
    }
    for (const CardId card : deal) {
        if (!in_deck(card, game.jokers())) {
            throw std::invalid_argument(game.has_joker() ? "this game's deck has one joker"
                                                         : "this game's deck has no joker");
        }
    }
    if (rest.size() + 5 != static_cast<std::size_t>(game.deck_size())) {
        throw std::invalid_argument("a card is dealt twice");
    }
    std::array<std::uint8_t, kHandClassCount> row_of{};
    for (std::size_t c = 0; c < kHandClassCount; ++c) {
        row_of[c] = static_cast<std::uint8_t>(game.row_of(static_cast<HandClass>(c)));
    }
    const DrawCounter counter(classifier, row_of, rest);
    std::array<HoldOutcome, kHoldCount> holds;
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        HoldOutcome& h = holds[mask];
        h.mask = static_cast<HoldMask>(mask);
        std::uint64_t kept = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            kept += (mask >> i & 1u) != 0 ? classifier.word(deal[i]) : 0;
        }
        counter.count(kept, 5 - kHoldSize[mask], 0, h.counts);
        h.draws =
            static_cast<std::int64_t>(choose(static_cast<int>(rest.size()), 5 - kHoldSize[mask]));
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            h.pay_total += game.pay(r) * h.counts[r];
        }
        h.pay_scale = game.pay_scale();
    }
    return holds;
}

}  // namespace quillon::odds

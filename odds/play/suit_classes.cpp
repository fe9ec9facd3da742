#include "odds/play/suit_classes.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <functional>

#include "base/card.h"
#include "base/combinatorics.h"

namespace quillon::odds {

namespace {

constexpr unsigned kSuitRanks = 13;
constexpr std::size_t kSuits = 4;

// A deal is four rank masks, one per suit; renaming suits permutes them. Each class is taken
// once, as the masks in non-increasing order.
class ClassMaker {
  public:
    ClassMaker(int deck_jokers, int dealt_jokers, std::vector<DealClass>& out)
        : deck_jokers_(deck_jokers), dealt_jokers_(dealt_jokers), out_(out) {
        for (unsigned mask = 1u << kSuitRanks; mask-- > 0;) {
            const auto size = static_cast<std::size_t>(std::popcount(mask));
            if (size <= 5) {
                by_size_[size].push_back(mask);
            }
        }
    }

    void make(std::size_t suit, unsigned most, int cards_left) {
        if (suit == kSuits) {
            emit();
            return;
        }
        const int smallest = suit + 1 == kSuits ? cards_left : 0;
        for (int size = smallest; size <= cards_left; ++size) {
            const std::vector<unsigned>& masks = by_size_[static_cast<std::size_t>(size)];
            auto it = std::lower_bound(masks.begin(), masks.end(), most, std::greater<>());
            for (; it != masks.end(); ++it) {
                masks_[suit] = *it;
                make(suit + 1, *it, cards_left - size);
            }
        }
    }

  private:
    void emit() {
        // 4! orderings, fewer where masks repeat: divide by the orderings of each equal run.
        std::uint32_t weight = 24;
        std::uint32_t run = 1;
        for (std::size_t s = 1; s < kSuits; ++s) {
            run = masks_[s] == masks_[s - 1] ? run + 1 : 1;
            weight /= run;
        }
        // One joker of two stands for either.
        weight *= dealt_jokers_ == 1 && deck_jokers_ == 2 ? 2 : 1;
        DealClass deal{{}, weight};
        std::size_t n = 0;
        if (dealt_jokers_ > 0) {
            deal.cards[n++] = deck_index(CardId::joker(), deck_jokers_ > 0);
        }
        // Each suit's ranks from the lowest up, one set bit at a time.
        for (std::size_t s = 0; s < kSuits; ++s) {
            for (unsigned ranks = masks_[s]; ranks != 0; ranks &= ranks - 1) {
                const auto r = std::countr_zero(ranks);
                const CardId card = CardId::of(static_cast<Suit>(s), r + 1);
                deal.cards[n++] = deck_index(card, deck_jokers_ > 0);
            }
        }
        if (dealt_jokers_ > 1) {
            deal.cards[n++] = deck_index(CardId::second_joker(), true);
        }
        out_.push_back(deal);
    }

    const int deck_jokers_;
    const int dealt_jokers_;
    std::vector<DealClass>& out_;
    std::array<std::vector<unsigned>, 6> by_size_;
    std::array<unsigned, kSuits> masks_{};
};

}  // namespace

std::vector<DealClass> deal_classes(int jokers) {
    std::vector<DealClass> out;
    out.reserve(jokers == 0 ? 134459 : 150891 + (jokers > 1 ? 1755 : 0));
    constexpr unsigned kAll = (1u << kSuitRanks) - 1;
    for (int dealt = 0; dealt <= jokers; ++dealt) {
        ClassMaker(jokers, dealt, out).make(0, kAll, 5 - dealt);
    }
    return out;
}

}  // namespace quillon::odds

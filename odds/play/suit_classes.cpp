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
    ClassMaker(bool deck_joker, bool dealt_joker, std::vector<DealClass>& out)
        : deck_joker_(deck_joker), dealt_joker_(dealt_joker), out_(out) {
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
        DealClass deal{{}, weight};
        std::size_t n = 0;
        if (dealt_joker_) {
            deal.cards[n++] = deck_index(CardId::joker(), deck_joker_);
        }
        // Each suit's ranks from the lowest up, one set bit at a time.
        for (std::size_t s = 0; s < kSuits; ++s) {
            for (unsigned ranks = masks_[s]; ranks != 0; ranks &= ranks - 1) {
                const auto r = std::countr_zero(ranks);
                const CardId card = CardId::of(static_cast<Suit>(s), r + 1);
                deal.cards[n++] = deck_index(card, deck_joker_);
            }
        }
        out_.push_back(deal);
    }

    const bool deck_joker_;
    const bool dealt_joker_;
    std::vector<DealClass>& out_;
    std::array<std::vector<unsigned>, 6> by_size_;
    std::array<unsigned, kSuits> masks_{};
};

}  // namespace

std::vector<DealClass> deal_classes(bool joker) {
    std::vector<DealClass> out;
    out.reserve(joker ? 150891 : 134459);
    constexpr unsigned kAll = (1u << kSuitRanks) - 1;
    ClassMaker(joker, false, out).make(0, kAll, 5);
    if (joker) {
        ClassMaker(true, true, out).make(0, kAll, 4);
    }
    return out;
}

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstdint>

#include "base/card.h"

namespace quillon {

// The one deck. Entries 0 to deck_top are the cards still in it; entries above are stale.
struct Deck {
    std::array<CardId, CardId::kCount> deck{};
    std::int16_t deck_top = 0;
    std::int16_t drawn_index = 0;

    // The 53 cards in their fixed order, deck_top = 52.
    void refill_deck();
    // The card at position `index` (0 to deck_top) leaves the deck; the last card fills the hole.
    CardId take(int index);
    // A uniform draw: r in [0, 1) picks one of the cards still in the deck.
    CardId draw_card(double r);
    // The position of `card` among the cards still in the deck, or -1.
    int find(CardId card) const;
};

}  // namespace quillon

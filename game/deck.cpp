#include "game/deck.h"

#include <cassert>

namespace quillon {

void Deck::refill_deck() {
    for (int i = 0; i < CardId::kCount; ++i) {
        deck[static_cast<std::size_t>(i)] = CardId::from_code(i);
    }
    deck_top = CardId::kCount - 1;
}

CardId Deck::take(int index) {
    assert(index >= 0 && index <= deck_top);
    drawn_index = static_cast<std::int16_t>(index);
    const CardId card = deck[static_cast<std::size_t>(index)];
    deck[static_cast<std::size_t>(index)] = deck[static_cast<std::size_t>(deck_top)];
    --deck_top;
    return card;
}

CardId Deck::draw_card(double r) {
    int index = static_cast<int>(r * (deck_top + 1));
    // Guards the rounding of r * n up to n for r just below 1.
    if (index > deck_top) {
        index = deck_top;
    }
    return take(index);
}

int Deck::find(CardId card) const {
    for (int i = 0; i <= deck_top; ++i) {
        if (deck[static_cast<std::size_t>(i)] == card) {
            return i;
        }
    }
    return -1;
}

}  // namespace quillon

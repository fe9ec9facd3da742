#include "game/card.h"

#include <charconv>

namespace quillon {

std::string_view suit_text(Suit suit) {
    switch (suit) {
        case Suit::spade:
            return "s";
        case Suit::diamond:
            return "d";
        case Suit::club:
            return "c";
        case Suit::heart:
            return "h";
        case Suit::joker:
            return "joker";
    }
    return "";
}

std::optional<CardId> CardId::parse(std::string_view text) {
    if (text == "joker") {
        return joker();
    }
    if (text.size() < 2 || text.size() > 3) {
        return std::nullopt;
    }
    Suit suit;
    switch (text[0]) {
        case 's':
            suit = Suit::spade;
            break;
        case 'd':
            suit = Suit::diamond;
            break;
        case 'c':
            suit = Suit::club;
            break;
        case 'h':
            suit = Suit::heart;
            break;
        default:
            return std::nullopt;
    }
    const std::string_view digits = text.substr(1);
    if (digits[0] == '0') {
        return std::nullopt;
    }
    int rank = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), rank);
    if (ec != std::errc() || end != digits.data() + digits.size() || rank < 1 || rank > 13) {
        return std::nullopt;
    }
    return of(suit, rank);
}

std::string CardId::text() const {
    if (is_joker()) {
        return "joker";
    }
    return std::string(suit_text(suit())) + std::to_string(rank());
}

}  // namespace quillon

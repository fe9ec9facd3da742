#include "base/card.h"

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

namespace {

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::optional<Suit> suit_letter(char c) {
    switch (lower(c)) {
        case 's':
            return Suit::spade;
        case 'd':
            return Suit::diamond;
        case 'c':
            return Suit::club;
        case 'h':
            return Suit::heart;
        default:
            return std::nullopt;
    }
}

// A suit as its letter or its symbol, black or white (U+2660 to U+2667).
std::optional<Suit> suit_of(std::string_view text) {
    if (text.size() == 1) {
        return suit_letter(text[0]);
    }
    if (text.size() != 3 || static_cast<unsigned char>(text[0]) != 0xE2 ||
        static_cast<unsigned char>(text[1]) != 0x99) {
        return std::nullopt;
    }
    const auto last = static_cast<unsigned char>(text[2]);
    if (last < 0xA0 || last > 0xA7) {
        return std::nullopt;
    }
    // Spade, heart, diamond, club; then the white spade, heart, diamond, club.
    constexpr Suit kSymbols[4] = {Suit::spade, Suit::heart, Suit::diamond, Suit::club};
    return kSymbols[(last - 0xA0) % 4];
}

// 1 the ace ... 13 the king, from "A", "K", "Q", "J", "T" or "10", "2" ... "9".
std::optional<int> rank_of(std::string_view text) {
    if (text == "10") {
        return 10;
    }
    if (text.size() != 1) {
        return std::nullopt;
    }
    const char c = lower(text[0]);
    if (c >= '2' && c <= '9') {
        return c - '0';
    }
    switch (c) {
        case 'a':
            return 1;
        case 't':
            return 10;
        case 'j':
            return 11;
        case 'q':
            return 12;
        case 'k':
            return 13;
        default:
            return std::nullopt;
    }
}

bool same_letters(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (lower(text[i]) != word[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<CardId> CardId::parse(std::string_view text) {
    if (same_letters(text, "joker") || same_letters(text, "jkr")) {
        return joker();
    }
    if (same_letters(text, "joker2") || same_letters(text, "jkr2")) {
        return second_joker();
    }
    if (text.size() < 2) {
        return std::nullopt;
    }
    // The game's own form: a suit letter, then 1 ... 13 without a leading zero.
    if (const std::optional<Suit> suit = suit_letter(text[0]); suit && text.size() <= 3) {
        const std::string_view digits = text.substr(1);
        int rank = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), rank);
        if (digits[0] == '0' || ec != std::errc() || end != digits.data() + digits.size() ||
            rank < 1 || rank > 13) {
            return std::nullopt;
        }
        return of(*suit, rank);
    }
    // Rank then suit: "10" is the one rank of two characters.
    const std::size_t rank_size = text.starts_with("10") ? 2 : 1;
    const std::optional<int> rank = rank_of(text.substr(0, rank_size));
    const std::optional<Suit> suit = suit_of(text.substr(rank_size));
    if (!rank || !suit) {
        return std::nullopt;
    }
    return of(*suit, *rank);
}

std::string CardId::text() const {
    if (is_joker()) {
        return code_ == 0 ? "joker" : "joker2";
    }
    return std::string(suit_text(suit())) + std::to_string(rank());
}

}  // namespace quillon

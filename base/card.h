#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillon {

enum class Suit : std::uint8_t { spade, diamond, club, heart, joker };

// "s", "d", "c", "h" or "joker": the suit text a hand slot records.
std::string_view suit_text(Suit suit);

// The forms CardId::parse reads, for usages and messages.
inline constexpr std::string_view kCardForms =
    "As Kh Td or 10d, A\u2660 K\u2665 (any case), s1 ... s13, d1, c1, h1 (1 the ace), joker or Jkr";

// One of the 53 cards of the machine's deck, or the second joker of a deck with two. The code is
// the card's place in a freshly refilled deck: 0 the joker, 1-13 spades, 14-26 diamonds, 27-39
// clubs, 40-52 hearts; the second joker, which only the odds engine deals, is 53.
class CardId {
  public:
    // The machine's deck.
    static constexpr int kCount = 53;
    // Every code, the second joker's too.
    static constexpr int kCodes = 54;

    constexpr CardId() = default;
    static constexpr CardId from_code(int code) { return CardId(static_cast<std::uint8_t>(code)); }
    static constexpr CardId joker() { return CardId(0); }
    static constexpr CardId second_joker() { return CardId(kCount); }
    static constexpr CardId of(Suit suit, int rank) {
        return suit == Suit::joker ? joker()
                                   : CardId(static_cast<std::uint8_t>(
                                         1 + static_cast<int>(suit) * 13 + (rank - 1)));
    }
    // A card as players write it, in any case: rank then suit ("As", "Kh", "Td" or "10d", "A♠",
    // "K♥", "9♦", "2♣"), the game's own suit then rank ("s1" ... "h13", 1 the ace), the joker as
    // "joker" or "Jkr" and the second joker as "joker2" or "Jkr2". Nothing for any other text.
    // text() writes the game's own form.
    static std::optional<CardId> parse(std::string_view text);

    constexpr int code() const { return code_; }
    constexpr bool is_joker() const { return code_ == 0 || code_ == kCount; }
    constexpr Suit suit() const {
        return is_joker() ? Suit::joker : static_cast<Suit>((code_ - 1) / 13);
    }
    // 1 the ace ... 13 the king; 0 for the joker.
    constexpr int rank() const { return is_joker() ? 0 : (code_ - 1) % 13 + 1; }
    std::string text() const;

    friend constexpr bool operator==(CardId, CardId) = default;

  private:
    constexpr explicit CardId(std::uint8_t code) : code_(code) {}
    std::uint8_t code_ = 0;
};

// What a card of rank `rank` (0 the joker, 1 the ace ... 13 the king) counts against the
// dealer's card in the double-up: the joker 15, the ace 14, every other card its rank. The
// machine settles its rounds with it, and the odds engine counts them with it.
constexpr int double_up_count(int rank) {
    if (rank == 0) {
        return 15;
    }
    return rank == 1 ? 14 : rank;
}

}  // namespace quillon

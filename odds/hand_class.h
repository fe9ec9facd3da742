#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game/hand_evaluation.h"

namespace quillon::odds {

// Which cards are wild: none, the joker of a 53-card deck, or the four 2s of a 52-card deck.
enum class Wild : std::uint8_t { none, joker, deuces };

// The odds engine's own hand classes, weakest first. They are finer than any one pay table needs
// (a pair keeps its rank, four of a kind its rank group and kicker, a wild royal stays apart from
// a natural one) so that each table only has to group them into its rows.
enum class HandClass : std::uint8_t {
    nothing,
    pair_2,
    pair_3,
    pair_4,
    pair_5,
    pair_6,
    pair_7,
    pair_8,
    pair_9,
    pair_10,
    pair_jack,
    pair_queen,
    pair_king,
    pair_ace,
    two_pair,
    three,
    straight,
    flush,
    full_house,
    // Four of a kind: fives to kings; 2s, 3s or 4s; the same with an ace, 2, 3 or 4 beside them;
    // aces; aces with a 2, 3 or 4 beside them.
    four_5_k,
    four_2_4,
    four_2_4_kicker,
    four_aces,
    four_aces_kicker,
    straight_flush,
    wild_royal,
    five,
    // Deuces wild: the four 2s, and the four 2s with an ace.
    four_deuces,
    four_deuces_ace,
    natural_royal,
};

inline constexpr std::size_t kHandClassCount = 30;

// A set of classes, bit c for class c: the readings of a hand with wild cards in it.
using ClassSet = std::uint32_t;
constexpr ClassSet class_bit(HandClass hand) {
    return ClassSet{1} << static_cast<unsigned>(hand);
}

// Engine ranks run 0 (the two) to 12 (the ace) so that straights read in order.
inline constexpr int kRankCount = 13;
inline constexpr int kAce = 12;
constexpr int engine_rank(int card_rank) {
    return (card_rank + 11) % 13;
}

// The pair class of an engine rank.
constexpr HandClass pair_of(int rank) {
    return static_cast<HandClass>(static_cast<int>(HandClass::pair_2) + rank);
}

constexpr bool is_four_of_a_kind(HandClass hand) {
    return hand >= HandClass::four_5_k && hand <= HandClass::four_aces_kicker;
}

// "pair of jacks", "straight flush", ...
std::string_view hand_class_text(HandClass hand);

// The name the machine gives the same five cards: single pairs pay nothing there, and both
// royals are its royal.
HandName machine_name(HandClass hand);

using RankCounts = std::array<std::uint8_t, kRankCount>;

// The class of five cards without wild cards from their rank counts (a count of five is five of
// a kind) and whether they follow one suit; `wild_used` marks a royal made with a wild card.
HandClass natural_class(const RankCounts& counts, bool flush, bool wild_used);

// Every class that five cards can be read as: the natural cards' rank counts and how many wild
// cards stand beside them, first with the natural cards in several suits, then (where `suited`:
// natural cards of distinct ranks) in one suit. Without wild cards that is the one natural
// class. This is the plain, slow rule book the fast classifier's tables are filled from.
struct ReadingSets {
    ClassSet plain = 0;
    ClassSet flush = 0;
};
ReadingSets readings(const RankCounts& naturals, int wilds, bool suited, Wild wild);

}  // namespace quillon::odds

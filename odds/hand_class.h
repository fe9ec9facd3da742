#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "game/hand_evaluation.h"

namespace quillon::odds {

// The odds engine's own hand classes, joker wild, weakest first. They are finer than any one
// pay table needs (a pair keeps its rank, a joker royal stays apart from a natural one) so that
// each table only has to group them into its rows.
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
    four,
    straight_flush,
    wild_royal,
    five,
    natural_royal,
};

inline constexpr std::size_t kHandClassCount = 24;

// Engine ranks run 0 (the two) to 12 (the ace) so that straights read in order.
inline constexpr int kRankCount = 13;
constexpr int engine_rank(int card_rank) {
    return (card_rank + 11) % 13;
}

// The pair class of an engine rank.
constexpr HandClass pair_of(int rank) {
    return static_cast<HandClass>(static_cast<int>(HandClass::pair_2) + rank);
}

// "pair of jacks", "straight flush", ...
std::string_view hand_class_text(HandClass hand);

// The name the machine gives the same five cards: single pairs pay nothing there, and both
// royals are its royal.
HandName machine_name(HandClass hand);

// The best class of five cards from their rank counts (engine ranks), whether the joker is
// among them and whether they all follow one suit (the joker counting as any suit). This is
// the plain, slow rule book the fast classifier's tables are filled from.
HandClass class_from_counts(const std::array<std::uint8_t, kRankCount>& counts, bool joker,
                            bool flush);

}  // namespace quillon::odds

#pragma once

#include <array>
#include <string_view>

namespace quillon::odds {

// The odds engine counts ranks 0 (the two) to 12 (the ace), so that straights read in order; a
// set of ranks is a mask with bit r for rank r. The ace plays high and, in the wheel, low.
inline constexpr int kRankCount = 13;
inline constexpr int kAce = 12;
// A card's rank (1 the ace ... 13 the king) as the engine counts it.
constexpr int engine_rank(int card_rank) {
    return (card_rank + 11) % 13;
}

// The ten straights as rank masks, the wheel (ace low) first and the ace-high one last.
inline constexpr std::array<unsigned, 10> kStraightMasks = [] {
    std::array<unsigned, 10> masks{};
    masks[0] = 0b1'0000'0000'1111u;
    for (unsigned low = 0; low < 9; ++low) {
        masks[low + 1] = 0b11111u << low;
    }
    return masks;
}();

// The ten: a royal flush's lowest rank.
inline constexpr int kTen = 8;

// "2" ... "10", "J", "Q", "K", "A".
inline constexpr std::array<std::string_view, kRankCount> kRankSymbols = {
    "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K", "A"};
// "two" ... "ace".
inline constexpr std::array<std::string_view, kRankCount> kRankWords = {
    "two",  "three", "four", "five",  "six",  "seven", "eight",
    "nine", "ten",   "jack", "queen", "king", "ace"};
// "twos" ... "aces".
inline constexpr std::array<std::string_view, kRankCount> kRankPlurals = {
    "twos",  "threes", "fours", "fives",  "sixes", "sevens", "eights",
    "nines", "tens",   "jacks", "queens", "kings", "aces"};

// "a 2" ... "an ace": one card of the rank, as a kicker is named.
inline constexpr std::array<std::string_view, kRankCount> kRankSingulars = {
    "a 2", "a 3",  "a 4",    "a 5",     "a 6",    "a 7",   "an 8",
    "a 9", "a 10", "a jack", "a queen", "a king", "an ace"};
// "2s" ... "10s", "jacks" ... "aces": the ends of a run of ranks.
inline constexpr std::array<std::string_view, kRankCount> kRankRunEnds = {
    "2s", "3s", "4s", "5s", "6s", "7s", "8s", "9s", "10s", "jacks", "queens", "kings", "aces"};

}  // namespace quillon::odds

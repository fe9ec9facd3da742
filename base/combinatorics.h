#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "base/card.h"

namespace quillon::odds {

// C(n, k) for the deck sizes and hand sizes the engine meets.
inline constexpr int kMaxDeck = 54;
inline constexpr int kHandSize = 5;

constexpr std::array<std::array<std::uint64_t, kHandSize + 1>, kMaxDeck + 1> binomial_table() {
    std::array<std::array<std::uint64_t, kHandSize + 1>, kMaxDeck + 1> c{};
    for (std::size_t n = 0; n <= kMaxDeck; ++n) {
        c[n][0] = 1;
        for (std::size_t k = 1; k <= kHandSize; ++k) {
            c[n][k] = n == 0 ? 0 : c[n - 1][k - 1] + c[n - 1][k];
        }
    }
    return c;
}
inline constexpr auto kChoose = binomial_table();

constexpr std::uint64_t choose(int n, int k) {
    return kChoose[static_cast<std::size_t>(n)][static_cast<std::size_t>(k)];
}

// A game's deck numbers its cards 0 .. n-1 in code order: with jokers the index is the code (the
// second joker last), without them the joker's place is dropped.
constexpr int deck_index(CardId card, bool jokers) {
    return jokers ? card.code() : card.code() - 1;
}
constexpr CardId deck_card(int index, bool jokers) {
    return CardId::from_code(jokers ? index : index + 1);
}
// Whether a card is in the deck of a game with `jokers` jokers.
constexpr bool in_deck(CardId card, int jokers) {
    return card.code() == 0 ? jokers > 0 : card.code() < CardId::kCount || jokers > 1;
}

// The place of a subset in the combinatorial number system: for sorted indices x0 < x1 < ...,
// C(x0, 1) + C(x1, 2) + ...; the subsets of each size are numbered 0 .. C(n, k) - 1.
template <std::size_t K>
constexpr std::size_t subset_rank(const std::array<int, K>& sorted) {
    std::size_t rank = 0;
    for (std::size_t i = 0; i < K; ++i) {
        rank += static_cast<std::size_t>(choose(sorted[i], static_cast<int>(i) + 1));
    }
    return rank;
}

// Steps through the k-subsets of 0 .. n-1 in the order of their ranks; false after the last.
template <std::size_t K>
constexpr bool next_subset(std::array<int, K>& x, int n) {
    for (std::size_t j = 0; j < K; ++j) {
        const int limit = j + 1 < K ? x[j + 1] : n;
        if (x[j] + 1 < limit) {
            ++x[j];
            for (std::size_t i = 0; i < j; ++i) {
                x[i] = static_cast<int>(i);
            }
            return true;
        }
    }
    return false;
}

}  // namespace quillon::odds

// A card kept alone in a joker game where no pair pays: the straights the discards leave it, and
// the words that keep one spot card or a high card by its clear straights.
#include <gtest/gtest.h>

#include "odds/ranks.h"
#include "odds/strategy/lone_cards.h"
#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

constexpr unsigned rank_bit(int rank) {
    return 1u << rank;
}

TEST(LoneCards, ClearStraightsCountTheStraightsNoDiscardNeeds) {
    constexpr int kTwo = 0;
    constexpr int kFive = 3;
    constexpr int kEight = 6;
    constexpr int kNine = 7;
    constexpr int kQueen = 10;
    constexpr int kKing = 11;
    // With nothing thrown away: the ace makes the lowest straight and the highest.
    EXPECT_EQ(lone_cards::clear_count(kAce, 0), 2);
    EXPECT_EQ(lone_cards::clear_count(kTen, 0), 5);
    EXPECT_EQ(lone_cards::clear_count(kQueen, 0), 3);
    EXPECT_EQ(lone_cards::clear_count(kTwo, 0), 2);
    // A discarded five blocks A-5 only; a discarded king blocks 10-A too.
    EXPECT_EQ(lone_cards::clear_count(kAce, rank_bit(kFive)), 1);
    EXPECT_EQ(lone_cards::clear_count(kAce, rank_bit(kFive) | rank_bit(kKing)), 0);
    // Beside a queen an eight blocks 8-Q, a ten every straight.
    EXPECT_EQ(lone_cards::clear_count(kQueen, rank_bit(kEight)), 2);
    EXPECT_EQ(lone_cards::clear_count(kQueen, rank_bit(kTen)), 0);
    // A card of the kept rank thrown away takes nothing from it; ranks out of reach neither.
    EXPECT_EQ(lone_cards::clear_count(kNine, rank_bit(kNine) | rank_bit(kTwo)), 5);
    EXPECT_EQ(lone_cards::clear_count(kNine, rank_bit(kEight)), 1);
}

class LoneCardWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the card the word names, and no card where
// the word leaves the deal out.
TEST_P(LoneCardWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, LoneCardWord,
    ::testing::Values(
        // The nine and the five each reach five straights: the tie rule keeps the higher.
        Decision{"quillon", "a card from 2 to 9 alone", "s5 d9 c3 h12 h13", "d9"},
        // The joker is thrown away with the rest; a ten and up is not a spot card.
        Decision{"quillon", "a card from 2 to 9 alone", "joker d4 c12 h13 s1", "d4"},
        Decision{"quillon", "a card from 2 to 9 alone", "s10 d11 c13 h1 d1", "(draw five)"},
        // A queen beside a discarded eight: 9-K and 10-A stay clear.
        Decision{"quillon", "queen alone, 2 straights clear", "s12 d8 c2 h3 s5", "s12"},
        Decision{"quillon", "queen alone, 2 straights clear", "s12 d8 c10 h3 s5", "(draw five)"},
        Decision{"quillon", "queen alone, no straight clear", "s12 d8 c10 h3 s5", "s12"},
        // The other queen thrown away blocks nothing.
        Decision{"quillon", "queen alone, 3 straights clear", "s12 d12 c2 h3 s5", "d12"},
        Decision{"quillon", "ace alone, 1 straight clear", "s1 d5 c7 h8 s9", "s1"}));

// The words belong to the joker games where no pair pays: where the kings pay, a lone card is
// never kept for its straights, and no word says so.
TEST(LoneCards, AreWordsOnlyWhereNoPairPays) {
    const Game kings = find_game("joker-kings-20-7-5").value();
    EXPECT_THROW(read_chart("queen alone, 2 straights clear\n", "x", kings), ChartError);
    EXPECT_THROW(read_chart("a card from 2 to 9 alone\n", "x", kings), ChartError);
    const Game jacks = find_game("jacks-or-better-9-6").value();
    EXPECT_THROW(read_chart("a card from 2 to 9 alone\n", "x", jacks), ChartError);
}

}  // namespace
}  // namespace quillon::odds

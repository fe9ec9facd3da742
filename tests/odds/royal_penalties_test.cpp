// Three to a royal flush in Joker Poker, kings or better, whose high cards always hold the ace:
// the words that add the flush penalty, the deals each keeps, and where they are not said.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class RoyalPenaltyWord : public ::testing::TestWithParam<Decision> {};

TEST_P(RoyalPenaltyWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

constexpr const char* kGame = "joker-kings-20-7-5";
constexpr const char* kClear = "3 to a royal flush, 2 high cards, no flush penalty";
constexpr const char* kPenalty = "3 to a royal flush, 2 high cards, flush penalty";

INSTANTIATE_TEST_SUITE_P(
    Words, RoyalPenaltyWord,
    ::testing::Values(
        // A-K-Q of spades beside no other spade, and beside the four of spades.
        Decision{kGame, kClear, "s1 s13 s12 d4 c2", "s1 s13 s12"},
        Decision{kGame, kClear, "s1 s13 s12 s4 c2", "(draw five)"},
        Decision{kGame, kPenalty, "s1 s13 s12 s4 c2", "s1 s13 s12"},
        Decision{kGame, kPenalty, "s1 s13 s12 d4 c2", "(draw five)"},
        // No high card, no ace to tell: the penalty is said too.
        Decision{kGame, "3 to a royal flush, no high card, flush penalty", "s10 s11 s12 s4 c2",
                 "s10 s11 s12"},
        // The words without the penalty take in both.
        Decision{kGame, "3 to a royal flush, 2 high cards", "s1 s13 s12 s4 c2", "s1 s13 s12"},
        Decision{kGame, "3 to a royal flush, 2 high cards", "s1 s13 s12 d4 c2", "s1 s13 s12"}));

// Draws told by the ace say the penalty beside it; games without the joker name their royal
// threes by rank, and where no pair pays there are no high cards to count.
TEST(RoyalPenalties, SaidOnlyWhereTheAceIsNotTold) {
    const Game kings = find_game(kGame).value();
    EXPECT_THROW(read_chart("3 to a royal flush, 1 high card, flush penalty\ndiscard everything\n",
                            "c", kings),
                 ChartError);
    for (const char* name : {"quillon", "jacks-or-better-9-6"}) {
        EXPECT_TRUE(word_refused(name, kPenalty)) << name;
    }
}

}  // namespace
}  // namespace quillon::odds

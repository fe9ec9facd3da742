// Three to a straight flush in Joker Poker, kings or better: the word that leaves out those with
// two gaps and no high card, with the joker and without, and the games that do not have it.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class NotBareWord : public ::testing::TestWithParam<Decision> {};

TEST_P(NotBareWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, NotBareWord,
    ::testing::Values(
        Decision{"joker-kings-20-7-5",
                 "joker + 3 to a straight flush, not a royal, not 2 gaps with no high card",
                 "joker s8 s9 s10 d12 c2", "joker s8 s9 s10"},
        // 8-J-Q: two gaps, and no king or ace.
        Decision{"joker-kings-20-7-5",
                 "joker + 3 to a straight flush, not a royal, not 2 gaps with no high card",
                 "joker s8 s11 s12 d12", "(draw five)"},
        // 9-J-K: two gaps, beside a king.
        Decision{"joker-kings-20-7-5",
                 "3 to a straight flush, not a royal, not 2 gaps with no high card",
                 "s9 s11 s13 d12 c2", "s9 s11 s13"},
        Decision{"joker-kings-20-7-5",
                 "3 to a straight flush, not a royal, not 2 gaps with no high card",
                 "s6 s7 s9 d12 c2", "s6 s7 s9"},
        Decision{"joker-kings-20-7-5",
                 "3 to a straight flush, not a royal, not 2 gaps with no high card",
                 "s5 s7 s9 d12 c2", "(draw five)"}));

// Where no pair pays there are no high cards to tell them by; without the joker the games have
// words of their own for high cards against gaps.
TEST(StraightFlushGaps, OnlyInJokerGamesWhereAPairPays) {
    for (const char* name : {"quillon", "jacks-or-better-9-6"}) {
        EXPECT_TRUE(
            word_refused(name, "3 to a straight flush, not a royal, not 2 gaps with no high card"))
            << name;
    }
}

}  // namespace
}  // namespace quillon::odds

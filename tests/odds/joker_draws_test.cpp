// The joker games' straight-flush draws at the ace end, told apart by the straights that reach
// them: the deals each word takes in and leaves out, and the coarser words still taking them in.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class JokerEdgeWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the cards the word names, and no card
// where the word leaves the deal out.
TEST_P(JokerEdgeWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, JokerEdgeWord,
    ::testing::Values(
        // Suited 3-4 reaches three straights, 2-3 two and A-2 one; 4-5 reaches four and is not
        // at the ace end.
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c3 c4 h2",
                 "c3 c4"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c2 c3 h9",
                 "(draw five)"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c4 c5 h9",
                 "(draw five)"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 2-3", "s11 d7 c2 c3 h9",
                 "c2 c3"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, A-2", "s11 d7 c1 c2 h9",
                 "c1 c2"},
        // The words that list them all still take in each one.
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 2-3, 3-4 or A-2",
                 "s11 d7 c3 c4 h2", "c3 c4"},
        // Beside the joker, and with three cards: 2-3-4 reaches two straights, A-2-3 one.
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, no gaps, 2-3",
                 "joker h2 h3 s9 d12", "joker h2 h3"},
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, no gaps, 2-3",
                 "joker h1 h2 s9 d12", "(draw five)"},
        Decision{"quillon", "3 to a straight flush, not a royal, no gaps, A-2-3", "h1 h2 h3 s9 d12",
                 "h1 h2 h3"},
        Decision{"quillon", "3 to a straight flush, not a royal, no gaps, A-2-3", "h2 h3 h4 s9 d12",
                 "(draw five)"},
        // Where pairs pay, the high cards come first: with no high card only 2-4 sits at the
        // ace end with one gap, so its words stay as they were.
        Decision{"joker-kings-20-7-5",
                 "joker + 2 to a straight flush, not a royal, 1 gap, 2-4, no high card",
                 "joker h2 h4 s9 d12", "joker h2 h4"}));

// Every coarser pattern of a draw a hold shows is shown by that hold too, so that a line of
// coarser words takes in every hold of the finer ones.
TEST(JokerDraws, CoarserDrawsTakeInEveryHoldOfTheFiner) {
    for (const char* game : {"quillon", "joker-kings-20-7-5"}) {
        EXPECT_EQ(coarser_pattern_not_shown(game, 29, true), "");
    }
}

}  // namespace
}  // namespace quillon::odds

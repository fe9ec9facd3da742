// Straight-flush draws of deuces wild by the fewest straights natural cards fill among the draws
// at the low end a line takes in: "no gaps, not 3-4" keeps the draws away from the end and 4-5
// and 5-6 beside them, and only the lists that such a floor leaves out are words.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class EdgeFloorWord : public ::testing::TestWithParam<Decision> {};

TEST_P(EdgeFloorWord, KeepsTheDrawsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

constexpr const char* kPay = "deuces-wild-full-pay";
constexpr const char* kNotThreeFour =
    "deuce + 2 to a straight flush, not a royal, no gaps, not 3-4";
constexpr const char* kNotFourFive =
    "deuce + 2 to a straight flush, not a royal, no gaps, not 3-4 or 4-5";
constexpr const char* kOneGap = "deuce + 2 to a straight flush, not a royal, 1 gap, not A-3";
constexpr const char* kThree = "deuce + 3 to a straight flush, not a royal, no gaps, not 3-4-5";

INSTANTIATE_TEST_SUITE_P(
    Words, EdgeFloorWord,
    ::testing::Values(
        // Away from the end, and at the end where natural cards fill two straights or three.
        Decision{kPay, kNotThreeFour, "s2 d6 d7 c11 h13", "s2 d6 d7"},
        Decision{kPay, kNotThreeFour, "s2 d4 d5 c11 h13", "s2 d4 d5"},
        Decision{kPay, kNotThreeFour, "s2 d5 d6 c11 h13", "s2 d5 d6"},
        // 3-4 fills one straight only, and a gap is other words.
        Decision{kPay, kNotThreeFour, "s2 d3 d4 c11 h13", "(draw five)"},
        Decision{kPay, kNotThreeFour, "s2 d5 d7 c11 h13", "(draw five)"},
        // A higher floor lets 4-5 go too.
        Decision{kPay, kNotFourFive, "s2 d4 d5 c11 h13", "(draw five)"},
        Decision{kPay, kNotFourFive, "s2 d5 d6 c11 h13", "s2 d5 d6"},
        // Two deuces, a gap, three natural cards: the same floors.
        Decision{"deuces-wild-nsu",
                 "2 deuces + 2 to a straight flush, not a royal, no gaps, not 3-4",
                 "s2 d2 c4 c5 h13", "s2 d2 c4 c5"},
        Decision{kPay, kOneGap, "s2 d3 d5 c11 h13", "s2 d3 d5"},
        Decision{kPay, kOneGap, "s2 d1 d3 c11 h13", "(draw five)"},
        Decision{kPay, kThree, "s2 d4 d5 d6 h13", "s2 d4 d5 d6"},
        Decision{kPay, kThree, "s2 d3 d4 d5 h13", "(draw five)"}));

TEST(EdgeFloors, OnlyTheListsAFloorLeavesOutAreWords) {
    // 4-5 alone is no floor: 3-4 fills fewer straights and would be taken in.
    EXPECT_TRUE(word_refused(kPay, "deuce + 2 to a straight flush, not a royal, no gaps, not 4-5"));
    // The joker games keep their draws by their ways.
    EXPECT_TRUE(word_refused("joker-kings-20-7-5",
                             "joker + 2 to a straight flush, not a royal, no gaps, not 2-3, "
                             "no high card"));
    // Nor does the joker beside the deuces.
    EXPECT_TRUE(word_refused("deuces-and-joker-wild",
                             "wild card + 2 to a straight flush, not a royal, no gaps, not 3-4"));
    EXPECT_FALSE(word_refused(kPay, kNotFourFive));
}

TEST(EdgeFloors, CoarserPatternsTakeInEveryHoldOfTheFiner) {
    EXPECT_EQ(coarser_pattern_not_shown("deuces-wild-nsu", 7, true), "");
}

}  // namespace
}  // namespace quillon::odds

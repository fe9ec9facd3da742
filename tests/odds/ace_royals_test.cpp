// Two or three to a royal flush without the joker, told apart by the ace where a pair of kings
// or better pays: the deals each word takes in and leaves out.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class AceRoyalWord : public ::testing::TestWithParam<Decision> {};

TEST_P(AceRoyalWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, AceRoyalWord,
    ::testing::Values(
        Decision{"joker-kings-20-7-5", "2 to a royal flush, 1 high card, no ace",
                 "s13 s11 d1 c5 h9", "s13 s11"},
        Decision{"joker-kings-20-7-5", "2 to a royal flush, 1 high card, no ace",
                 "s1 s11 d13 c5 h9", "(draw five)"},
        Decision{"joker-kings-20-7-5", "2 to a royal flush, 1 high card, with the ace",
                 "s1 s11 d13 c5 h9", "s1 s11"},
        // Suited K-A holds two high cards; 10-J none.
        Decision{"joker-kings-20-7-5", "2 to a royal flush, 1 high card, with the ace",
                 "s1 s13 d4 c5 h9", "(draw five)"},
        Decision{"joker-kings-20-7-5", "2 to a royal flush, 1 high card, no ace",
                 "s10 s11 d4 c5 h9", "(draw five)"},
        // Three to a royal: suited 10-J-K over a pair of kings, and not J-Q-A.
        Decision{"joker-kings-20-7-5", "3 to a royal flush, 1 high card, no ace",
                 "s12 s13 d10 d11 d13", "d10 d11 d13"},
        Decision{"joker-kings-20-7-5", "3 to a royal flush, 1 high card, no ace",
                 "s1 s11 s12 d13 c5", "(draw five)"},
        Decision{"joker-kings-20-7-5", "3 to a royal flush, 1 high card, with the ace",
                 "s1 s11 s12 d13 c5", "s1 s11 s12"},
        // The flush penalty: a discarded spade.
        Decision{"joker-kings-20-7-5",
                 "2 to a royal flush, 1 high card, with the ace, flush penalty", "s1 s12 s5 d4 h9",
                 "s1 s12"},
        Decision{"joker-kings-20-7-5",
                 "2 to a royal flush, 1 high card, with the ace, flush penalty", "s1 s12 d5 c4 h9",
                 "(draw five)"}));

// Without the joker the ace is told apart only where pairs pay (quillon pays none) and the
// joker is in the deck: in Jacks or Better the words are a published phrase for the suited
// cards they name, not a pattern of their own.
TEST(AceRoyals, OnlyInJokerGamesWhereAPairPays) {
    const std::string words = "2 to a royal flush, 1 high card, no ace\ndiscard everything\n";
    EXPECT_THROW(read_chart(words, "c", find_game("quillon").value()), ChartError);
    const Chart chart = read_chart(words, "c", find_game("jacks-or-better-9-6").value());
    ASSERT_EQ(chart.lines.size(), 4u);
    EXPECT_EQ(chart.lines[0].words, "suited 10-J");
    EXPECT_EQ(chart.lines[2].words, "suited 10-K");
}

}  // namespace
}  // namespace quillon::odds

// Three low cards in a row beside the joker in Joker Poker, kings or better: the word that leaves
// out the run just below the high cards (10-J-Q there), and the games that do not have it.
#include <gtest/gtest.h>

#include "odds/strategy/patterns/pattern_key.h"
#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class NotTopRunWord : public ::testing::TestWithParam<Decision> {};

TEST_P(NotTopRunWord, KeepsTheRunsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

constexpr const char* kRunWord =
    "joker + 3 to a straight, mixed suits, no gaps, not 2-3-4 or 10-J-Q, no high card";
constexpr const char* kCoarser =
    "joker + 3 to a straight, mixed suits, no gaps, not 2-3-4, no high card";

INSTANTIATE_TEST_SUITE_P(
    Words, NotTopRunWord,
    ::testing::Values(
        Decision{"joker-kings-20-7-5", kRunWord, "joker s7 d8 c9 h13", "joker s7 d8 c9"},
        Decision{"joker-kings-20-7-5", kRunWord, "joker s9 d10 c11 h4", "joker s9 d10 c11"},
        // The run below the kings, and the one at the ace end.
        Decision{"joker-kings-20-7-5", kRunWord, "joker s12 d11 c10 h4", "(draw five)"},
        Decision{"joker-kings-20-7-5", kRunWord, "joker s2 d3 c4 h9", "(draw five)"},
        // Suited, a gap, or a high card: other words.
        Decision{"joker-kings-20-7-5", kRunWord, "joker s7 s8 s9 h13", "(draw five)"},
        Decision{"joker-kings-20-7-5", kRunWord, "joker s6 d8 c9 h13", "(draw five)"},
        Decision{"joker-kings-20-7-5", kRunWord, "joker s11 d12 c13 h4", "(draw five)"},
        // Without the run's words the line still takes it in.
        Decision{"joker-kings-20-7-5", kCoarser, "joker s12 d11 c10 h4", "joker s12 d11 c10"}));

TEST(TopRuns, OnlyInJokerGamesWhereAPairPays) {
    for (const char* name : {"quillon", "jacks-or-better-9-6"}) {
        EXPECT_TRUE(word_refused(name, kRunWord)) << name;
    }
}

}  // namespace
}  // namespace quillon::odds

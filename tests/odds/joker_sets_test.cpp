// Sets and straight-flush draws with the joker or without, in a joker game where no pair pays:
// the deals each word takes in, and the finer words it takes in, which the line search needs to
// merge their lines into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/odds/chart_word_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class JokerSetWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the cards the word names.
TEST_P(JokerSetWord, KeepsTheCardsOfEitherKind) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, JokerSetWord,
    ::testing::Values(Decision{"quillon", "three of a kind, natural or with the joker",
                               "s9 d9 c9 h4 s2", "s9 d9 c9"},
                      Decision{"quillon", "three of a kind, natural or with the joker",
                               "joker s9 d9 h4 s2", "joker s9 d9"},
                      Decision{"quillon", "four of a kind, natural or with the joker",
                               "joker s9 d9 c9 h4", "joker s9 d9 c9"},
                      Decision{"quillon", "four of a kind, natural or with the joker",
                               "s9 d9 c9 h9 s2", "s9 d9 c9 h9"},
                      // A pair beside a kicker is no three of a kind, with the joker or without.
                      Decision{"quillon", "three of a kind, natural or with the joker",
                               "s9 d9 h4 s2 c7", "(draw five)"},
                      Decision{"quillon", "4 to a royal flush, natural or with the joker",
                               "joker h10 h12 h13 s4", "joker h10 h12 h13"},
                      Decision{"quillon", "4 to a royal flush, natural or with the joker",
                               "h10 h11 h12 h13 s4", "h10 h11 h12 h13"},
                      Decision{"quillon",
                               "3 to a straight flush, not a royal, natural or with the joker",
                               "joker h5 h7 s12 d2", "joker h5 h7"},
                      Decision{"quillon",
                               "3 to a straight flush, not a royal, natural or with the joker",
                               "h5 h6 h8 s12 d2", "h5 h6 h8"}));

// Each word is coarser than both of its kinds, so that their two lines can become its one.
TEST(JokerSets, TakeInTheWordsOfBothKinds) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game game = find_game("quillon").value();
    const RankProfile profile = rank_profile(game);
    const auto coarser_of = [&](const char* finer, const char* coarser) {
        const HoldPatterns all = coarser_patterns(word_key(finer, game), profile);
        return std::find(all.begin(), all.end(), word_key(coarser, game)) != all.end();
    };
    EXPECT_TRUE(coarser_of("joker + pair", "three of a kind, natural or with the joker"));
    EXPECT_TRUE(coarser_of("three of a kind", "three of a kind, natural or with the joker"));
    EXPECT_TRUE(coarser_of("joker + three of a kind", "four of a kind, natural or with the joker"));
    EXPECT_TRUE(
        coarser_of("joker + 3 to a royal flush", "4 to a royal flush, natural or with the joker"));
    EXPECT_TRUE(coarser_of("4 to a royal flush", "4 to a royal flush, natural or with the joker"));
    EXPECT_TRUE(coarser_of("joker + suited 10-K", "3 to a royal flush, natural or with the joker"));
    EXPECT_FALSE(coarser_of("two pair", "four of a kind, natural or with the joker"));
}

// Where a pair pays, the joker beside a pair is a paying hand already, and no word takes the
// joker in this way.
TEST(JokerSets, AreWordsOnlyWhereNoPairPays) {
    const Game kings = find_game("joker-kings-20-7-5").value();
    EXPECT_THROW(word_key("three of a kind, natural or with the joker", kings), ChartError);
}

}  // namespace
}  // namespace quillon::odds

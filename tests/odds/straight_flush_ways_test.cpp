// Straight-flush draws by the straight flushes they lie in, in a joker game where no pair pays:
// the deals each word takes in and leaves out, and the finer words it takes in, which the line
// search needs to merge their lines into it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class StraightFlushWaysWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the cards the word names, and no card
// where the word leaves the deal out.
TEST_P(StraightFlushWaysWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, StraightFlushWaysWord,
    ::testing::Values(
        // Suited 6-8 lies in 4-8, 5-9 and 6-10; suited 3-4 at the ace end in A-5, 2-6 and 3-7.
        Decision{"quillon", "2 to a straight flush, not a royal, in 3 straight flushes",
                 "s11 d1 c6 c8 h2", "c6 c8"},
        Decision{"quillon", "2 to a straight flush, not a royal, in 3 straight flushes",
                 "s11 d7 c3 c4 h9", "c3 c4"},
        // Suited 6-7 lies in four, suited 2-3 in two.
        Decision{"quillon", "2 to a straight flush, not a royal, in 3 straight flushes",
                 "s11 d1 c6 c7 h2", "(draw five)"},
        Decision{"quillon", "2 to a straight flush, not a royal, in 3 straight flushes",
                 "s11 d7 c2 c3 h9", "(draw five)"},
        // Beside the joker: suited 2-6 (three gaps) and A-3 each lie in one.
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, in 1 straight flush",
                 "joker h2 h6 s9 d12", "joker h2 h6"},
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, in 1 straight flush",
                 "joker h1 h3 s9 d12", "joker h1 h3"},
        // Three cards: 2-3-4 lies in two, 5-6-8 too, 5-6-7 in three.
        Decision{"quillon", "3 to a straight flush, not a royal, in 2 straight flushes",
                 "h2 h3 h4 s9 d12", "h2 h3 h4"},
        Decision{"quillon", "3 to a straight flush, not a royal, in 2 straight flushes",
                 "h5 h6 h8 s13 d2", "h5 h6 h8"},
        Decision{"quillon", "3 to a straight flush, not a royal, in 2 straight flushes",
                 "h5 h6 h7 s13 d2", "(draw five)"},
        // Two cards may add their flush penalty: the king thrown away shares the suit of 5-8.
        Decision{"quillon",
                 "2 to a straight flush, not a royal, in 2 straight flushes, flush penalty",
                 "h5 h8 h13 s2 d11", "h5 h8"},
        Decision{"quillon",
                 "2 to a straight flush, not a royal, in 2 straight flushes, flush penalty",
                 "h5 h8 s13 s2 d11", "(draw five)"},
        Decision{"quillon",
                 "2 to a straight flush, not a royal, in 2 straight flushes, no flush penalty",
                 "h5 h8 s13 s2 d11", "h5 h8"},
        Decision{"quillon",
                 "joker + 2 to a straight flush, not a royal, in 1 straight flush, no flush "
                 "penalty",
                 "joker h2 h6 s9 d12", "joker h2 h6"},
        // And then their clear straights: a discarded nine blocks 5-9 of suited 5-8, leaving
        // 4-8; beside the joker a discarded five leaves suited A-4 no straight.
        Decision{"quillon",
                 "2 to a straight flush, not a royal, in 2 straight flushes, no flush penalty, 1 "
                 "straight clear",
                 "h5 h8 s9 s2 d11", "h5 h8"},
        Decision{"quillon",
                 "2 to a straight flush, not a royal, in 2 straight flushes, no flush penalty, 1 "
                 "straight clear",
                 "h5 h8 s13 s2 d11", "(draw five)"},
        Decision{"quillon",
                 "joker + 2 to a straight flush, not a royal, in 1 straight flush, no flush "
                 "penalty, no straight clear",
                 "joker c1 c4 s13 d5", "joker c1 c4"}));

// The draws of one gap away from the ace end and suited 3-4 both lie in three straight flushes:
// the word is coarser than either, so that their two lines can become its one.
TEST(StraightFlushWays, TakeInTheFinerWordsOfAsManyStraightFlushes) {
    const Game game = find_game("quillon").value();
    const RankProfile profile = rank_profile(game);
    const PatternKey ways =
        word_key("2 to a straight flush, not a royal, in 3 straight flushes", game);
    for (const char* finer : {"2 to a straight flush, not a royal, 1 gap, not 2-4 or A-3",
                              "2 to a straight flush, not a royal, no gaps, 3-4"}) {
        const HoldPatterns coarser = coarser_patterns(word_key(finer, game), profile);
        EXPECT_NE(std::find(coarser.begin(), coarser.end(), ways), coarser.end()) << finer;
    }
    const HoldPatterns four = coarser_patterns(
        word_key("2 to a straight flush, not a royal, no gaps, not 2-3, 3-4 or A-2", game),
        profile);
    EXPECT_EQ(std::find(four.begin(), four.end(), ways), four.end());
    // The penalty only narrows the word: its lines merge into the word without it.
    const HoldPatterns penalty = coarser_patterns(
        word_key("2 to a straight flush, not a royal, in 3 straight flushes, flush penalty", game),
        profile);
    EXPECT_NE(std::find(penalty.begin(), penalty.end(), ways), penalty.end());
    const HoldPatterns clear = coarser_patterns(
        word_key("2 to a straight flush, not a royal, in 3 straight flushes, flush penalty, 2 "
                 "straights clear",
                 game),
        profile);
    for (const char* coarser :
         {"2 to a straight flush, not a royal, in 3 straight flushes, flush penalty",
          "2 to a straight flush, not a royal, in 3 straight flushes"}) {
        EXPECT_NE(std::find(clear.begin(), clear.end(), word_key(coarser, game)), clear.end())
            << coarser;
    }
}

// Where a pair pays, the draws are told by their high cards instead, and no word names their
// straight flushes.
TEST(StraightFlushWays, AreWordsOnlyWhereNoPairPays) {
    const Game kings = find_game("joker-kings-20-7-5").value();
    EXPECT_THROW(word_key("joker + 2 to a straight flush, not a royal, in 1 straight flush", kings),
                 ChartError);
    // Only two suited cards say their penalty; three are not told apart by it.
    EXPECT_TRUE(word_refused(
        "quillon", "3 to a straight flush, not a royal, in 2 straight flushes, flush penalty"));
    // The clear straights come only after the penalty.
    EXPECT_TRUE(word_refused(
        "quillon", "2 to a straight flush, not a royal, in 2 straight flushes, 1 straight clear"));
}

}  // namespace
}  // namespace quillon::odds

// The lone low card beside the joker, where a pair pays, chosen by its open straights and then by
// the discards of its suit: the count itself, the card each deal keeps, and the games that do
// not have the word.
#include <gtest/gtest.h>

#include "odds/strategy/words/open_straights.h"
#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

constexpr int kSeven = 5;
constexpr int kTenRank = 8;
constexpr int kNine = 7;
constexpr int kJack = 9;

// Straights without a high card (no king or ace in kings or better) and with at most one
// discard in them.
TEST(OpenStraights, CountsStraightsWithoutHighCardsAndWithOneDiscardAtMost) {
    const RankProfile kings = rank_profile(find_game("joker-kings-20-7-5").value());
    EXPECT_EQ(open_straights::open_count(kSeven, 0, kings), 5);
    // 6-10, 7-J and 8-Q: 9-K and 10-A hold high cards.
    EXPECT_EQ(open_straights::open_count(kTenRank, 0, kings), 3);
    EXPECT_EQ(open_straights::open_count(kTenRank, 1u << kNine, kings), 3);
    EXPECT_EQ(open_straights::open_count(kTenRank, 1u << kNine | 1u << kJack, kings), 1);
    // A deuce reaches A-5, which holds the ace, and 2-6 alone.
    EXPECT_EQ(open_straights::open_count(0, 0, kings), 1);
}

class OpenStraightsWord : public ::testing::TestWithParam<Decision> {};

TEST_P(OpenStraightsWord, KeepsTheLowCardWithTheMostOpenStraights) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

constexpr const char* kWord =
    "joker + the low card with the most open straights less discards of its suit, a ten counting "
    "one more";

INSTANTIATE_TEST_SUITE_P(
    Words, OpenStraightsWord,
    ::testing::Values(
        // Beside Q, J and 5 the seven has five open straights, the five four and the queen one:
        // the seven, where "joker + a low card" keeps the queen by the tie rule.
        Decision{"joker-kings-20-7-5", kWord, "joker s12 d11 c7 h5", "joker c7"},
        // Seven and eight have five each and no discard of their suit: the tie rule keeps the
        // higher; beside a discarded diamond, the seven.
        Decision{"joker-kings-20-7-5", kWord, "joker s7 d8 c13 h1", "joker d8"},
        Decision{"joker-kings-20-7-5", kWord, "joker s7 d8 d13 h1", "joker s7"},
        // A ten counts one straight more: three and one beside Q, 5 and 4, against the five's
        // four. Two discards of its suit take two away, and the five is kept.
        Decision{"joker-kings-20-7-5", kWord, "joker s12 d10 c5 h4", "joker d10"},
        Decision{"joker-kings-20-7-5", kWord, "joker d12 d10 c5 d4", "joker c5"},
        // A discard of the card's suit costs as much as a straight: beside 3, Q and 5 the seven
        // has four open straights (4-8 to 7-J) less two spades, the five three and no spade.
        Decision{"joker-kings-20-7-5", kWord, "joker s7 s3 s12 d5", "joker d5"},
        // No low card to keep, and no joker.
        Decision{"joker-kings-20-7-5", kWord, "joker s13 d13 c1 h1", "(draw five)"},
        Decision{"joker-kings-20-7-5", kWord, "s12 d11 c7 h5 s2", "(draw five)"}));

// Where no pair pays every card is low, and the word is not the game's.
TEST(OpenStraights, OnlyInJokerGamesWhereAPairPays) {
    for (const char* name : {"quillon", "jacks-or-better-9-6"}) {
        EXPECT_TRUE(word_refused(name, kWord)) << name;
    }
}

}  // namespace
}  // namespace quillon::odds

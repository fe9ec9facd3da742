// The double-up's odds, worked out by hand: against a dealer's card of a given rank the player
// wins with the joker or any of 4 cards per higher rank, ties with 3 and loses with the rest.
#include <gtest/gtest.h>

#include "odds/play/double_up.h"

namespace quillon::odds {
namespace {

TEST(DoubleUp, CountsEveryDealerAndPlayerCard) {
    const DoubleUpOdds odds = double_up_odds();
    EXPECT_EQ(odds.pairs, 53 * 52);
    // Per dealer rank i = 0 (the two) .. 12 (the ace), 4 dealer cards each:
    // wins 1 + 4 (12 - i), ties 3, losses 4 i; and the dealt joker loses all 52 picks.
    std::int64_t wins = 0;
    std::int64_t losses = 52;
    for (int i = 0; i <= 12; ++i) {
        wins += 4 * (1 + 4 * (12 - i));
        losses += 4 * 4 * i;
    }
    EXPECT_EQ(odds.wins, wins);
    EXPECT_EQ(odds.ties, 13 * 4 * 3);
    EXPECT_EQ(odds.losses, losses);
}

TEST(DoubleUp, ScoresTheJokerAndTheAceHigh) {
    EXPECT_EQ(double_up_count(0), 15);
    EXPECT_EQ(double_up_count(1), 14);
    EXPECT_EQ(double_up_count(13), 13);
    EXPECT_EQ(double_up_count(2), 2);
}

// Wins and losses come out even, so every way of playing the double-up is worth the stake.
TEST(DoubleUp, IsAFairBetEveryWay) {
    const DoubleUpOdds odds = double_up_odds();
    EXPECT_EQ(2 * odds.wins + odds.ties, odds.pairs);
    EXPECT_DOUBLE_EQ(odds.double_value(), 1.0);
    EXPECT_DOUBLE_EQ(odds.double_until_decided(), 1.0);
    for (const std::int64_t stake : {1, 2, 3, 7, 10}) {
        EXPECT_DOUBLE_EQ(odds.half_value(stake), static_cast<double>(stake)) << stake;
    }
}

}  // namespace
}  // namespace quillon::odds

// Pay-table files that pay four and five of a kind by rank and kicker: the general lines, the
// most specific line paying, the lines refused, and hands without a line of their own.
#include <gtest/gtest.h>

#include "odds/games/game_file.h"
#include "tests/odds/bad_game_file.h"

namespace quillon::odds {
namespace {

constexpr int kTwo = 0;
constexpr int kThree = 1;
constexpr int kFour = 2;
constexpr int kSeven = 5;
constexpr int kJack = 9;
constexpr int kKing = 11;

std::string jacks_with(std::string_view fours) {
    return "wild none\nroyal 250 4000@5\nstraight-flush 50\n" + std::string(fours) +
           "full-house 9\nflush 6\nstraight 4\nthree 3\ntwo-pair 2\npair 1 jacks\n";
}

TEST(RankedFours, EachHandIsPaidByTheMostSpecificLine) {
    const Game game = parse_game(
        jacks_with("four 25\nfour aces 80\nfour aces kicker 2-4 400\nfour j-k 40\n"), "g");
    EXPECT_EQ(game.pay_of(four_of(kAce, kKing)), 80);
    EXPECT_EQ(game.pay_of(four_of(kAce, kThree)), 400);
    EXPECT_EQ(game.pay_of(four_of(kJack, kAce)), 40);
    EXPECT_EQ(game.pay_of(four_of(kSeven, kTwo)), 25);
    EXPECT_EQ(game.rows()[2].label, "four of a kind");
    EXPECT_EQ(game.rows()[4].label, "four aces with 2-4");
    EXPECT_EQ(game.rows()[5].label, "four jacks-kings");
}

TEST(RankedFours, ListsRangesAndKickersThatTakeInTheFoursOwnRanks) {
    const Game game =
        parse_game(jacks_with("four a,2-4 kicker a-4 160\nfour A,2-4 80\nfour 5-K 50\n"), "g");
    EXPECT_EQ(game.pay_of(four_of(kTwo, kThree)), 160);
    EXPECT_EQ(game.pay_of(four_of(kFour, kAce)), 160);
    EXPECT_EQ(game.pay_of(four_of(kAce, kTwo)), 160);
    EXPECT_EQ(game.pay_of(four_of(kAce, kKing)), 80);
    EXPECT_EQ(game.pay_of(four_of(kKing, kAce)), 50);
    EXPECT_EQ(game.rows()[2].label, "four 2s-4s, aces with A-4");
}

TEST(RankedFours, TodaysWordsAreShortFormsOfTheGeneralLines) {
    const Game short_forms = parse_game(
        jacks_with("four-aces-kicker 400\nfour-2-4-kicker 160\nfour-aces 160\nfour-2-4 80\n"
                   "four-5-k 50\n"),
        "g");
    const Game general =
        parse_game(jacks_with("four aces kicker 2-4 400\nfour 2-4 kicker a-4 160\nfour aces 160\n"
                              "four 2-4 80\nfour 5-k 50\n"),
                   "g");
    EXPECT_EQ(short_forms, general);
}

TEST(RankedFives, PayByRankAndTheFourDeucesByTheirKicker) {
    const Game game = parse_game(
        "wild deuces\nroyal 800\nfour deuces kicker aces 400\nfour-deuces 200\nfive aces 80\n"
        "five 3-5 40\nfive 6-k 20\nfour 4\nthree 1\n",
        "g");
    EXPECT_EQ(game.pay_of(four_deuces_with(kAce)), 400);
    EXPECT_EQ(game.pay_of(four_deuces_with(kKing)), 200);
    EXPECT_EQ(game.pay_of(five_of(kAce)), 80);
    EXPECT_EQ(game.pay_of(five_of(kThree)), 40);
    EXPECT_EQ(game.pay_of(five_of(kSeven)), 20);
    EXPECT_EQ(game.rows()[1].label, "four deuces with an ace");
    EXPECT_EQ(game.rows()[4].label, "five 3s-5s");
}

TEST(LeastPayingPair, KeepsItsMeaningFromTwosToAces) {
    const Game aces = parse_game("wild none\nflush 5\npair 1 aces\n", "g");
    EXPECT_EQ(aces.pay_of(HandClass::pair_ace), 1);
    EXPECT_EQ(aces.pay_of(HandClass::pair_king), 0);
    const Game twos = parse_game("wild none\nflush 5\npair 1 twos\n", "g");
    EXPECT_EQ(twos.pay_of(pair_of(kTwo)), 1);
    EXPECT_EQ(twos.rows()[1].label, "twos or better");
}

// A hand without a line of its own is paid as the best line it also is.
TEST(HandsWithoutALine, ArePaidAsTheBestLineTheyAlsoAre) {
    const Game no_royal = parse_game("wild none\nstraight-flush 50\nflush 6\n", "g");
    EXPECT_EQ(no_royal.pay_of(HandClass::natural_royal), 50);
    const Game flush_only = parse_game("wild none\nflush 6\nstraight 4\n", "g");
    EXPECT_EQ(flush_only.pay_of(HandClass::natural_royal), 6);
    EXPECT_EQ(flush_only.pay_of(HandClass::straight_flush), 6);
    const Game joker = parse_game("wild joker\nroyal 800\nstraight-flush 50\nthree 2\n", "g");
    EXPECT_EQ(joker.pay_of(HandClass::wild_royal), 50);
    const Game aces_only = parse_game("wild none\nfour aces 80\nthree 3\n", "g");
    EXPECT_EQ(aces_only.pay_of(four_of(kSeven, kTwo)), 3);
    // Nothing that pays in a game with no wild cards is made a wild hand's line.
    EXPECT_EQ(parse_game("wild none\nstraight-flush 50\n", "g").pay_of(HandClass::wild_royal), 0);
}

TEST(FineDecimals, AcceptTrailingZerosAndBlameTheLineThatBreaksTheLimit) {
    const Game game = parse_game("wild none\nroyal 250.00000 4000.0@5\npair 1.00000 jacks\n", "g");
    EXPECT_EQ(game.pay_of(HandClass::natural_royal), 800);
    EXPECT_EQ(game.pay_scale(), 1);
    try {
        parse_game(
            jacks_with("four 25\n")
                .replace(jacks_with("four 25\n").find("pair 1 jacks"), 12, "pair 1.001 jacks"),
            "fine.game");
        FAIL() << "accepted";
    } catch (const GameFileError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "fine.game:10: pays this large or this finely divided cannot be counted "
                  "exactly");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ranks, BadGameFile,
    ::testing::Values(
        BadFile{"wild none\nfour a,2-4 80\nfour 2-10 50\n",
                "bad.game:3: line 2 also pays four twos with a 3, at another pay: make one "
                "line include the other's hands"},
        BadFile{"wild none\nfour aces 80\nfour-aces 80\n",
                "bad.game:3: pays the same hands as "
                "line 2"},
        BadFile{"wild none\nfive aces 80\n", "bad.game:2: 'five' needs wild cards"},
        BadFile{"wild none\nfour k-5 50\n", "bad.game:2: the rank range 'k-5' runs backwards"},
        BadFile{"wild none\nfour knaves 50\n", "bad.game:2: 'knaves' is not a rank"},
        BadFile{"wild none\nfour 2-x 50\n", "bad.game:2: '2-x' is not a rank range"},
        BadFile{"wild none\nfour aces kicker 50\n", "bad.game:2: '50' is not a rank"},
        BadFile{"wild none\nfour aces kicker aces 50\n",
                "bad.game:2: no hand is four aces with an ace"},
        BadFile{"wild none\nfour aces\n", "bad.game:2: 'four' needs its pay per coin"},
        BadFile{"wild none\nfour-aces aces 80\n", "bad.game:2: 'aces' is not a pay"}));

}  // namespace
}  // namespace quillon::odds

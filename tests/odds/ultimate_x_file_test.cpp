// Ultimate X lines of a pay-table file, and the multipliers a player names: what they read as,
// and each mistake refused at its line.
#include <gtest/gtest.h>

#include <string>

#include "odds/games/game_file.h"
#include "odds/games/multiplier_table.h"

namespace quillon::odds {
namespace {

const std::string kPays =
    "wild none\n"         // 1
    "royal 250 4000@5\n"  // 2
    "four 25\n"           // 3
    "full-house 9\n"      // 4
    "flush 6\n"           // 5
    "two-pair 2\n"        // 6
    "pair 1 jacks\n";     // 7
const std::string kGood = kPays +
                          "ultimate-x lines 1 3\n"          // 8
                          "ultimate-x 1,3 royal 4\n"        // 9
                          "ultimate-x 1,3 four 3\n"         // 10
                          "ultimate-x 1 full-house 12\n"    // 11
                          "ultimate-x 3 full-house 10\n"    // 12
                          "ultimate-x 1,3 flush 7\n"        // 13
                          "ultimate-x 1,3 two-pair 3\n"     // 14
                          "ultimate-x 1,3 pair jacks 2\n";  // 15

std::string error_of(const std::string& text) {
    try {
        parse_game(text, "ux.game");
    } catch (const GameFileError& e) {
        return e.what();
    }
    return "";
}

TEST(UltimateXFile, ReadsOneTablePerLineCountInTheRowsOrder) {
    const Game game = parse_game(kGood, "ux.game");
    ASSERT_EQ(game.multiplier_tables().size(), 2u);
    EXPECT_EQ(game.multipliers_for(1)->earned, (std::vector<int>{4, 3, 12, 7, 3, 2, 1}));
    EXPECT_EQ(game.multipliers_for(3)->earned, (std::vector<int>{4, 3, 10, 7, 3, 2, 1}));
    EXPECT_EQ(game.multipliers_for(5), nullptr);
    EXPECT_TRUE(parse_game(kPays, "plain.game").multiplier_tables().empty());
    EXPECT_EQ(game.multipliers_for(3)->values(), (std::vector<int>{1, 2, 3, 4, 7, 10}));
}

TEST(UltimateXFile, RefusesEachMistakeAtItsLine) {
    const auto with = [](const std::string& line) { return kGood + line + "\n"; };
    EXPECT_EQ(error_of(with("ultimate-x 5 flush 7")),
              "ux.game:16: the game is not played on 5 lines (its line counts: 1 3)");
    EXPECT_EQ(error_of(with("ultimate-x 3 flush -2")), "ux.game:16: a negative multiplier '-2'");
    EXPECT_EQ(error_of(with("ultimate-x 3 three 4")),
              "ux.game:16: the table pays no 'three': name a hand as its pay line does");
    EXPECT_EQ(error_of(with("ultimate-x 3 pair 2")),
              "ux.game:16: the table pays no 'pair': name a hand as its pay line does");
    EXPECT_EQ(error_of(with("ultimate-x 3 flush 8")),
              "ux.game:16: the 3-line multiplier of 'flush' is given twice (first on line 13)");
    EXPECT_EQ(error_of(with("ultimate-x 3 flush 0")),
              "ux.game:16: '0' is not a multiplier (a whole number from 1 to 20)");
    EXPECT_EQ(error_of(with("ultimate-x 11 flush 2")),
              "ux.game:16: '11' is not a number of lines (1 to 10)");
    EXPECT_EQ(error_of(with("ultimate-x lines 5")),
              "ux.game:16: 'ultimate-x lines' is given twice (first on line 8)");
    EXPECT_EQ(error_of(with("ultimate-x flush 2")),
              "ux.game:16: 'ultimate-x' needs line counts, a hand and its multiplier "
              "(ultimate-x 3,5,10 full-house 12)");
    // A missing entry is named at the line counts' line, with its pay line.
    std::string missing = kGood;
    missing.erase(missing.find("ultimate-x 3 full-house 10\n"), 27);
    EXPECT_EQ(error_of(missing), "ux.game:8: no 3-line multiplier for 'full-house' (line 4)");
    EXPECT_EQ(error_of(kPays + "ultimate-x 1 royal 4\n"),
              "ux.game:8: Ultimate X multipliers need an 'ultimate-x lines' line naming the line "
              "counts the game is played on");
}

TEST(UltimateXFile, MultipliersAreReadAsATotalOrOneALine) {
    const Game game = parse_game(kGood, "ux.game");
    const MultiplierTable& three = *game.multipliers_for(3);
    EXPECT_EQ(read_multiplier_total("20", three).total, 20);
    EXPECT_EQ(read_multiplier_total("2,1,4", three).total, 7);
    EXPECT_EQ(read_multiplier_total("2,1", three).error,
              "give one multiplier for each of the 3 lines, not 2");
    EXPECT_EQ(read_multiplier_total("2,5,1", three).error,
              "'5' is not a multiplier this game awards (1 2 3 4 7 10)");
    EXPECT_EQ(read_multiplier_total("2", three).error,
              "no 3 lines of multipliers 1 2 3 4 7 10 add up to 2");
    EXPECT_EQ(read_multiplier_total("31", three).error,
              "no 3 lines of multipliers 1 2 3 4 7 10 add up to 31");
    EXPECT_EQ(read_multiplier_total("x", three).error, "'x' is not a multiplier total");
    // One line of 1, 2, 3, 4, 7 or 12 cannot carry 5.
    EXPECT_FALSE(total_is_reachable(*game.multipliers_for(1), 5));
    EXPECT_TRUE(total_is_reachable(*game.multipliers_for(1), 12));
}

}  // namespace
}  // namespace quillon::odds

// The pay tables as data: rows, the machine's names and the look-up by name.
#include <gtest/gtest.h>

#include "odds/pay_table.h"

namespace quillon::odds {
namespace {

// Each row of the machine's table holds exactly the classes the machine calls by its name.
TEST(PayTable, QuillonRowsAgreeWithTheMachinesNames) {
    const Game game = quillon_game_table();
    EXPECT_TRUE(game.has_joker());
    for (std::size_t c = 0; c < kHandClassCount; ++c) {
        const auto hand = static_cast<HandClass>(c);
        const PayRow& row = game.rows()[game.row_of(hand)];
        ASSERT_TRUE(row.machine_name.has_value()) << row.label;
        EXPECT_EQ(*row.machine_name, machine_name(hand)) << hand_class_text(hand);
    }
    // Best first, in the machine's own pay-table order.
    for (std::size_t r = 0; r + 1 < game.row_count(); ++r) {
        EXPECT_EQ(pay_row(*game.rows()[r].machine_name), static_cast<int>(r));
    }
}

class EveryGame : public ::testing::TestWithParam<std::string_view> {};

TEST_P(EveryGame, PutsEveryClassInOneRowAndEndsWithNothing) {
    const Game game = find_game(GetParam()).value();
    EXPECT_EQ(game.name(), GetParam());
    std::size_t listed = 0;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        for (const HandClass hand : game.rows()[r].classes) {
            EXPECT_EQ(game.row_of(hand), r);
            ++listed;
        }
        if (r > 0) {
            EXPECT_LE(game.pay(r), game.pay(r - 1)) << game.rows()[r].label;
        }
    }
    EXPECT_EQ(listed, kHandClassCount);
    EXPECT_EQ(game.rows().back().pay, 0);
    EXPECT_EQ(game.row_of(HandClass::nothing), game.row_count() - 1);
}

INSTANTIATE_TEST_SUITE_P(Builtin, EveryGame, ::testing::ValuesIn(game_names()));

TEST(PayTable, RejectsAClassInTwoRows) {
    EXPECT_THROW(
        Game("bad", false,
             {PayRow{"a", 2, {HandClass::flush}, {}}, PayRow{"b", 1, {HandClass::flush}, {}}}),
        std::invalid_argument);
    EXPECT_FALSE(find_game("jacks-or-better").has_value());
}

}  // namespace
}  // namespace quillon::odds

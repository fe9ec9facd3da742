// The pay table the window shows, bet by bet, against what the odds engine pays this machine.
#include <gtest/gtest.h>

#include "game/machine.h"
#include "game/pay_table.h"
#include "game/random_source.h"
#include "game/recording_media_control.h"
#include "odds/games/pay_table.h"
#include "tests/odds/machine_name.h"

namespace quillon::odds {
namespace {

class WindowPayTable : public ::testing::TestWithParam<int> {};

TEST_P(WindowPayTable, EveryRowPaysWhatTheOddsEnginePays) {
    const int bet = GetParam();
    RecordingMediaControl media;
    SeededRandom random{1};
    Machine machine{media, random};
    machine.load();
    for (int i = 0; i < bet; ++i) {
        machine.click(Button::Label16);
    }
    ASSERT_EQ(machine.state().bet_coins, bet);
    // Column 0 serves one to five coins, columns 1 to 5 six to ten.
    const std::size_t column = bet <= 5 ? 0 : static_cast<std::size_t>(bet - 5);
    const Game game = find_game("quillon", bet).value();
    const auto rows = machine.controls().rows();
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const HandName name = parse_hand_name(kPayRowNames[r]).value();
        const std::string& caption = (*rows[r])[column].caption;
        std::size_t classes = 0;
        for (std::size_t c = 0; c < kHandClassCount; ++c) {
            const auto hand = static_cast<HandClass>(c);
            if (machine_name(hand) != name) {
                continue;
            }
            ++classes;
            // The engine's pay for the whole bet, in coins.
            const std::int64_t units = game.pay_of(hand) * bet;
            ASSERT_EQ(units % game.pay_scale(), 0) << hand_class_text(hand);
            EXPECT_EQ(std::to_string(units / game.pay_scale()), caption)
                << kPayRowNames[r] << " at " << bet << " coins: " << hand_class_text(hand);
        }
        EXPECT_GT(classes, 0u) << kPayRowNames[r];
    }
    // What the window has no row for pays nothing.
    for (std::size_t c = 0; c < kHandClassCount; ++c) {
        const auto hand = static_cast<HandClass>(c);
        if (machine_name(hand) == HandName::none) {
            EXPECT_EQ(game.pay_of(hand), 0) << hand_class_text(hand);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Bets, WindowPayTable, ::testing::Range(1, 11));

}  // namespace
}  // namespace quillon::odds

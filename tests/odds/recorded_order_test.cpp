// The charts of the golden record held to their faults of order (order_faults.h): each built-in
// game's charts at 15, 26 and 40 lines and the default have exactly the faults counted here, so
// that a change of the search that lets one in, or mends one, shows.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "tests/odds/order_faults_support.h"
#include "tests/odds/recorded_charts.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

// The faults of order and of pat hands of each chart: 15, 26, 40 lines, the default. The short
// charts keep those they cannot afford to mend (docs/strategy-charts.md, "What the order
// promises").
struct Recorded {
    const char* game;
    std::array<std::array<std::size_t, 2>, 4> faults;
};

class RecordedOrder : public ::testing::TestWithParam<Recorded> {};

TEST_P(RecordedOrder, ChartsHaveTheirCountedFaults) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Recorded r = GetParam();
    const Game game = find_game(r.game).value();
    const DealPatterns table = made_hand_table(r.game);
    const std::array<const char*, 4> lengths{"15", "26", "40", ""};
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const Chart chart = read_chart(recorded_chart(r.game, lengths[i]), "recorded.chart", game);
        std::array<std::size_t, 2> found{};
        std::string listed;
        for (const OrderFault& f : order_faults(table, reading_of(chart, table, game))) {
            ++found[f.what == FaultKind::order ? 0 : 1];
            listed += "\n  " + fault_text(f, table, game);
        }
        EXPECT_EQ(found, r.faults[i])
            << r.game << " " << (lengths[i][0] != 0 ? lengths[i] : "default")
            << " lines:" << listed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    BuiltInGames, RecordedOrder,
    ::testing::Values(Recorded{"aces-and-faces-8-5", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"bonus-deuces-wild-13-4-3", {{{1, 2}, {1, 0}, {1, 0}, {0, 0}}}},
                      Recorded{"bonus-poker-7-5", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"bonus-poker-8-5", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"deuces-and-joker-wild", {{{1, 1}, {1, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"deuces-wild-full-pay", {{{1, 2}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"deuces-wild-nsu", {{{1, 1}, {1, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"double-bonus-10-7-5", {{{0, 1}, {0, 1}, {0, 0}, {0, 0}}}},
                      Recorded{"double-bonus-9-6-5", {{{0, 1}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"double-double-bonus-10-6", {{{0, 1}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"double-double-bonus-9-6", {{{0, 1}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"double-joker-9-5", {{{0, 4}, {0, 1}, {0, 1}, {0, 1}}}},
                      Recorded{"jacks-or-better-8-5", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"jacks-or-better-8-6", {{{0, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"jacks-or-better-9-6", {{{1, 0}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"joker-kings-20-7-5", {{{0, 4}, {0, 1}, {0, 0}, {0, 0}}}},
                      Recorded{"loose-deuces-17-10", {{{1, 2}, {1, 2}, {0, 0}, {0, 0}}}},
                      Recorded{"super-double-bonus-9-5", {{{0, 2}, {0, 0}, {0, 0}, {0, 0}}}},
                      Recorded{"triple-double-bonus-9-7", {{{0, 1}, {0, 1}, {0, 0}, {0, 0}}}},
                      Recorded{"quillon", {{{0, 1}, {0, 0}, {0, 0}, {0, 0}}}}),
    [](const ::testing::TestParamInfo<Recorded>& param) {
        std::string name = param.param.game;
        for (char& ch : name) {
            ch = ch == '-' ? '_' : ch;
        }
        return name;
    });

}  // namespace
}  // namespace quillon::odds

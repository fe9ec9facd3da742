// The charts of the golden record held to their faults of order (order_faults.h): each built-in
// game's charts at 15, 26 and 40 lines and the default have exactly the faults counted here, so
// that a change of the search that lets one in, or mends one, shows.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/odds/order_faults_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

namespace fs = std::filesystem;

// The faults of order and of pat hands of each chart: 15, 26, 40 lines, the default.
struct Recorded {
    const char* game;
    std::array<std::array<std::size_t, 2>, 4> faults;
};

std::string recorded_chart(const std::string& game, const std::string& lines) {
    const fs::path path = fs::path(QUILLON_GOLDEN_RECORD) / game /
                          ("strategy" + (lines.empty() ? "" : "-" + lines) + ".chart");
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path << " is not in the golden record";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class RecordedOrder : public ::testing::TestWithParam<Recorded> {};

TEST_P(RecordedOrder, ChartsHaveTheirCountedFaults) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Recorded r = GetParam();
    const Game game = find_game(r.game).value();
    const auto t0 = std::chrono::steady_clock::now();
    shared_tallies(r.game);
    const auto t1 = std::chrono::steady_clock::now();
    const DealPatterns table = made_hand_table(r.game);
    const auto t2 = std::chrono::steady_clock::now();
    std::printf("TIMING tallies %.0f table %.0f\n",
                std::chrono::duration<double, std::milli>(t1 - t0).count(),
                std::chrono::duration<double, std::milli>(t2 - t1).count());
    const std::array<const char*, 4> lengths{"15", "26", "40", ""};
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const Chart chart = read_chart(recorded_chart(r.game, lengths[i]), "recorded.chart", game);
        std::array<std::size_t, 2> found{};
        std::string listed;
        const auto t3 = std::chrono::steady_clock::now();
        const auto all = order_faults(table, reading_of(chart, table, game));
        std::printf("TIMING check %.1f\n",
                    std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t3)
                        .count());
        for (const OrderFault& f : all) {
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
    ::testing::Values(Recorded{"aces-and-faces-8-5", {}}, Recorded{"bonus-deuces-wild-13-4-3", {}},
                      Recorded{"bonus-poker-7-5", {}}, Recorded{"bonus-poker-8-5", {}},
                      Recorded{"deuces-and-joker-wild", {}}, Recorded{"deuces-wild-full-pay", {}},
                      Recorded{"deuces-wild-nsu", {}}, Recorded{"double-bonus-10-7-5", {}},
                      Recorded{"double-bonus-9-6-5", {}}, Recorded{"double-double-bonus-10-6", {}},
                      Recorded{"double-double-bonus-9-6", {}}, Recorded{"double-joker-9-5", {}},
                      Recorded{"jacks-or-better-8-5", {}}, Recorded{"jacks-or-better-8-6", {}},
                      Recorded{"jacks-or-better-9-6", {}}, Recorded{"joker-kings-20-7-5", {}},
                      Recorded{"loose-deuces-17-10", {}}, Recorded{"super-double-bonus-9-5", {}},
                      Recorded{"triple-double-bonus-9-7", {}}, Recorded{"quillon", {}}),
    [](const ::testing::TestParamInfo<Recorded>& param) {
        std::string name = param.param.game;
        for (char& ch : name) {
            ch = ch == '-' ? '_' : ch;
        }
        return name;
    });

}  // namespace
}  // namespace quillon::odds

// quillon-odds against its golden record: what the command line printed for every built-in game
// when the record was written (scripts/write-golden-record), byte for byte.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "odds/cli/odds_cli.h"
#include "odds/games/pay_table.h"
#include "odds/play/tallies.h"
#include "odds/report/strategy_report.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::odds {
namespace {

namespace fs = std::filesystem;

const fs::path kRecord = QUILLON_GOLDEN_RECORD;

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Printed {
    int status = 0;
    std::string out;
};

Printed run_cli(const std::vector<std::string>& words) {
    const std::vector<std::string_view> args(words.begin(), words.end());
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_odds_cli(args, out, err);
    return {status, out.str()};
}

// What the command line prints now against what the record keeps, by the file's name.
void expect_recorded(const Printed& printed, const fs::path& file) {
    ASSERT_TRUE(fs::exists(file)) << file << " is not in the record";
    EXPECT_EQ(printed.status, 0) << file;
    // Equal strings first: a mismatch of a 60 kB text is then reported by its first line only.
    if (printed.out == file_text(file)) {
        return;
    }
    std::istringstream now(printed.out);
    std::istringstream then(file_text(file));
    std::string a;
    std::string b;
    for (int line = 1;; ++line) {
        const bool more_now = static_cast<bool>(std::getline(now, a));
        const bool more_then = static_cast<bool>(std::getline(then, b));
        if (!more_now && !more_then) {
            ADD_FAILURE() << file << ": differs in its line ends";
            return;
        }
        if (a != b || more_now != more_then) {
            ADD_FAILURE() << file << ":" << line << ": printed\n  " << a << "\nrecorded\n  " << b;
            return;
        }
    }
}

std::vector<std::string> recorded_deals() {
    std::vector<std::string> deals;
    std::istringstream in(file_text(QUILLON_GOLDEN_DEALS));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.front() != '#') {
            deals.push_back(line);
        }
    }
    return deals;
}

std::vector<std::string> words_of(const std::string& text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

TEST(GoldenRecord, HoldsEveryBuiltInGameAndTheList) {
    std::set<std::string> recorded;
    for (const fs::directory_entry& entry : fs::directory_iterator(kRecord)) {
        if (entry.is_directory()) {
            recorded.insert(entry.path().filename().string());
        }
    }
    std::set<std::string> built_in;
    for (const std::string_view name : game_names()) {
        built_in.emplace(name);
    }
    EXPECT_EQ(recorded, built_in);
    EXPECT_EQ(recorded_deals().size(), 12U);
    expect_recorded(run_cli({"games", "--json"}), kRecord / "games.json");
}

// The saved chart as the command line writes it, of one game at one length: the file the
// in-process charts below are held to is the file `strategy --save` writes.
TEST(GoldenRecord, StrategySaveWritesTheRecordedFile) {
    const fs::path saved = fs::path(testing::TempDir()) / "golden-strategy-15.chart";
    const Printed printed = run_cli(
        {"strategy", "--game", "deuces-wild-nsu", "--lines", "15", "--save", saved.string()});
    ASSERT_EQ(printed.status, 0);
    EXPECT_EQ(file_text(saved), file_text(kRecord / "deuces-wild-nsu" / "strategy-15.chart"));
    fs::remove(saved);
}

class Golden : public testing::TestWithParam<std::string_view> {};

TEST_P(Golden, PrintsWhatTheRecordKeeps) {
    const std::string game(GetParam());
    const fs::path folder = kRecord / game;
    expect_recorded(run_cli({"return", "--game", game, "--json"}), folder / "return.json");

    // Each deal the game's deck holds has its record; the others are refused.
    const std::vector<std::string> deals = recorded_deals();
    for (std::size_t i = 0; i < deals.size(); ++i) {
        std::vector<std::string> words = {"hand"};
        for (std::string& card : words_of(deals[i])) {
            words.push_back(std::move(card));
        }
        words.insert(words.end(), {"--game", game, "--json"});
        const std::string name = (i < 9 ? "hand-0" : "hand-") + std::to_string(i + 1) + ".json";
        const Printed printed = run_cli(words);
        if (fs::exists(folder / name)) {
            expect_recorded(printed, folder / name);
        } else {
            EXPECT_NE(printed.status, 0) << deals[i] << " in " << game;
        }
    }

    // The charts of every length from one search, as `strategy --lines N --save` writes them.
    // `chart --json` reads a saved chart back and scores it as the search scored its own words:
    // the default length's goes through the command line, and the others' reports, the same
    // scores of the same lines, are printed as it prints them.
    constexpr std::array<std::size_t, 4> kLengths = {15, 26, 40, 0};
    const Tallies tallies(*find_game(game));
    const std::vector<ChartReport> reports = make_strategy_charts(tallies, kLengths, game);
    ASSERT_EQ(reports.size(), kLengths.size());
    for (std::size_t i = 0; i < kLengths.size(); ++i) {
        const std::string length = kLengths[i] == 0 ? "" : "-" + std::to_string(kLengths[i]);
        const fs::path chart = folder / ("strategy" + length + ".chart");
        const fs::path json = folder / ("chart" + length + ".json");
        expect_recorded({0, chart_file_text(reports[i], tallies.game(), game)}, chart);
        if (kLengths[i] == 0) {
            expect_recorded(run_cli({"chart", chart.string(), "--json"}), json);
        } else {
            // All but the count of rules, which the search knows and a chart file does not say.
            ChartReport as_read = reports[i];
            as_read.rules = 0;
            std::ostringstream printed;
            print_chart_json(printed, tallies.game(), as_read, false);
            expect_recorded({0, printed.str()}, json);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Builtin, Golden, testing::ValuesIn(game_names()),
                         [](const testing::TestParamInfo<std::string_view>& game) {
                             std::string name(game.param);
                             for (char& c : name) {
                                 c = c == '-' ? '_' : c;
                             }
                             return name;
                         });

}  // namespace
}  // namespace quillon::odds

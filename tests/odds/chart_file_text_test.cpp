// Chart files as a hostile disk or editor leaves them, read with the same rules as pay-table
// files: paths that are no regular file, files too large, and text that is not clean UTF-8.
// Each is refused with one line naming its file and, for its text, its line.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "odds/strategy/chart/chart_text.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

const Game& jacks() {
    static const Game game = find_game("jacks-or-better-9-6").value();
    return game;
}

std::string refusal_of(std::string_view text) {
    try {
        read_chart(text, "x.chart", jacks());
    } catch (const ChartError& e) {
        return e.what();
    }
    return "accepted";
}

TEST(ChartFileText, AByteOrderMarkWindowsLineEndsAndACapitalisedGameLineAreRead) {
    const Chart chart =
        read_chart("\xEF\xBB\xBFGame jacks-or-better-9-6\r\nfour of a kind\r\nlow pair\r\n",
                   "x.chart", jacks());
    EXPECT_EQ(chart.game, std::string("jacks-or-better-9-6"));
    ASSERT_EQ(chart.lines.size(), 2u);
    EXPECT_EQ(chart.lines[1].words, "low pair");
    EXPECT_EQ(chart_game("GAME deuces-wild-nsu\n", "x.chart")->line, 1);
}

struct BadChartText {
    std::string_view text;
    std::string_view message;
};

class BadChartTexts : public ::testing::TestWithParam<BadChartText> {};

TEST_P(BadChartTexts, AreRefusedAtTheirLine) {
    EXPECT_EQ(refusal_of(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadChartTexts,
    ::testing::Values(
        BadChartText{"low pair\nfour\0 of a kind, cut\n"sv, "x.chart:2: a NUL byte"},
        BadChartText{"low pair\x1b[2J\n", "x.chart:1: a control character (byte 0x1B)"},
        BadChartText{"# \xC2\x9B"
                     "31m in a comment\nlow pair\n",
                     "x.chart:1: a control character (U+009B)"},
        BadChartText{"low pair\n\xff\xfe pair\n", "x.chart:2: text that is not UTF-8 (byte 0xFF)"},
        BadChartText{"low pair\rhigh pair\n", "x.chart:1: a control character (byte 0x0D)"},
        BadChartText{"", "x.chart:1: the chart file is empty"},
        BadChartText{"\n# only a comment\n", "x.chart:1: the chart has no lines"},
        BadChartText{"low pair\ngame\n", "x.chart:2: 'game' needs the game's name"},
        BadChartText{"game quillon\nGame quillon\n",
                     "x.chart:2: a second game line (the first is line 1)"}),
    [](const auto& row) { return "text" + std::to_string(row.index); });

TEST(ChartFileText, ALongLineIsEchoedCutAndGetsNoSuggestion) {
    // A line far longer than any pattern's words is compared with none of them.
    const std::string word(60'000, 'x');
    EXPECT_EQ(refusal_of("low pair\n" + word + "\n"),
              "x.chart:2: unknown pattern '" + std::string(160, 'x') + "...'");
    // Cut at the start of a character, never inside one.
    const std::string hearts = std::string(158, 'x') + "\xE2\x99\xA5" + "tail";
    EXPECT_EQ(refusal_of(hearts + "\n"),
              "x.chart:1: unknown pattern '" + std::string(158, 'x') + "...'");
    // A near miss is still suggested.
    EXPECT_EQ(refusal_of("4 to a royal flash\n"),
              "x.chart:1: unknown pattern '4 to a royal flash' (did you mean '4 to a royal "
              "flush'?)");
}

class ChartPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillon-chart-file-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

// Every special file as the chart to read, the pay table of `chart --game` and `return
// --game`, and the file `strategy --save` writes: refused at once with one error line.
TEST_F(ChartPaths, ThatAreNoRegularFileAreRefusedWithoutBlocking) {
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_directory(path("folder"));
    std::ofstream(path("big.chart")) << std::string(kMostChartBytes + 1, '#');
    const std::vector<std::pair<std::string, std::string>> files = {
        {path("fifo"), "is a FIFO, not a file"},
        {"/dev/zero", "is a device, not a file"},
        {path("folder"), "is a folder, not a file"},
        {path("gone"), "was not found"},
        {path("big.chart"), "is larger than 65536 bytes"}};
    for (const auto& [file, why] : files) {
        const CliRun chart = run({"chart", file});
        EXPECT_EQ(chart.status, 2);
        EXPECT_EQ(chart.err, "error: " + file + ": " + why + "\n");
        if (file.ends_with(".chart")) {
            continue;
        }
        const CliRun game = run({"return", "--game", file});
        EXPECT_EQ(game.status, 2);
        EXPECT_EQ(game.err.rfind("error: " + file + ": ", 0), 0u) << game.err;
        EXPECT_EQ(std::count(game.err.begin(), game.err.end(), '\n'), 1) << game.err;
    }
}

TEST_F(ChartPaths, ASaveOntoAFifoOrADeviceIsRefusedWithoutBlocking) {
    QUILLON_WHOLE_GAME_SWEEP();
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    for (const std::string& target : {path("fifo"), std::string("/dev/null")}) {
        const CliRun r =
            run({"strategy", "--game", "jacks-or-better-9-6", "--lines", "5", "--save", target});
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("error: " + target + ": is a ", 0), 0u) << r.err;
    }
}

TEST_F(ChartPaths, AGameTheFileNamesThatIsUnknownIsBlamedOnItsLine) {
    std::ofstream(path("a.chart")) << "# a chart\ngame no-such-game\nlow pair\n";
    const CliRun r = run({"chart", path("a.chart")});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("error: " + path("a.chart") + ":2: unknown game 'no-such-game'", 0), 0u)
        << r.err;
}

// Arguments echoed in errors reach the terminal as escapes, never as raw control bytes or
// broken UTF-8, and a long one is cut at a character.
TEST(HostileArguments, AreEchoedAsEscapes) {
    const CliRun c1 = run({"hand", "--game", "jacks-or-better-9-6", "s1", "s2", "s3", "s4",
                           "\xC2\x9B"
                           "31m"});
    EXPECT_EQ(c1.status, 2);
    EXPECT_NE(c1.err.find("'\\xc2\\x9b31m' is not a card"), std::string::npos) << c1.err;
    const CliRun bytes =
        run({"hand", "--game", "jacks-or-better-9-6", "s1", "s2", "s3", "s4", "\xff\xfe"});
    EXPECT_NE(bytes.err.find("'\\xff\\xfe' is not a card"), std::string::npos) << bytes.err;
    // "unknown game '" and 384 bytes leave two bytes of the 400 for a three-byte character.
    const std::string long_name = std::string(384, 'x') + "\xE2\x99\xA5";
    const CliRun cut = run({"return", "--game", long_name});
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.err.find("\xE2\x99"), std::string::npos) << cut.err;
    EXPECT_TRUE(cut.err.ends_with("...\n")) << cut.err;
}

}  // namespace
}  // namespace quillon::odds

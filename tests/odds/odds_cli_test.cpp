// quillon-odds as the shell sees it: exit status, standard output and standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "odds/cli/odds_cli.h"

namespace quillon::odds {
namespace {

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

CliRun run(const std::vector<std::string_view>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = run_odds_cli(args, out, err);
    return {status, out.str(), err.str()};
}

std::size_t count_lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct BadLine {
    std::vector<std::string_view> args;
    std::string_view says;
};

class OddsCliRefuses : public ::testing::TestWithParam<BadLine> {};

TEST_P(OddsCliRefuses, WithStatusTwoAndNothingOnStandardOutput) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OddsCliRefuses,
    ::testing::Values(
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s14"}, "'s14' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "S5"}, "'S5' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s01"}, "'s01' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s1", "h5"}, "s1 is dealt twice"},
        BadLine{{"hand", "joker", "s2", "s3", "s4", "joker"}, "dealt twice"},
        BadLine{{"hand", "s1", "s2", "s3", "s4"}, "exactly five cards"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--game", "poker"}, "unknown game 'poker'"},
        BadLine{{"return", "--game=deuces"}, "unknown game 'deuces'"},
        BadLine{{"return", "--game"}, "--game needs a name"},
        BadLine{{"hand", "joker", "s2", "s3", "s4", "s5", "--game", "jacks-or-better-9-6"},
                "without the joker"},
        BadLine{{"double", "--game", "quillon"}, "double takes no arguments"},
        BadLine{{"return", "s1"}, "return takes no cards"},
        BadLine{{"deal"}, "unknown command 'deal'"}, BadLine{{"--fast"}, "unknown option '--fast'"},
        BadLine{{}, "no command"}));

TEST(OddsCli, HelpGoesToStandardOutputWhereverItIsAsked) {
    for (const auto& args : std::vector<std::vector<std::string_view>>{
             {"--help"}, {"-h"}, {"hand", "--help"}, {"return", "--game", "x", "--help"}}) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find("quillon-odds hand"), std::string::npos);
        EXPECT_EQ(r.err, "");
    }
}

TEST(OddsCli, HandListsThe32HoldsBestFirst) {
    const CliRun r = run({"hand", "h13", "joker", "h12", "h11", "h1"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    // Two lines of heading and a blank, a header row, then one line per hold.
    EXPECT_EQ(count_lines(r.out), 3u + 1u + 32u);
    // The royal made with the joker: no natural royal, a wild one for sure.
    EXPECT_NE(r.out.find("\nh13 joker h12 h11 h1   1000.000000        0.0000%   100.0000%"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("(draw five)"), std::string::npos);
}

TEST(OddsCli, ReturnPrintsThePublishedJacksOrBetterFigure) {
    const CliRun r = run({"return", "--game", "jacks-or-better-9-6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("return              99.543904%"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("4277372890968"), std::string::npos);
}

TEST(OddsCli, DoublePrintsTheRoundsOdds) {
    const CliRun r = run({"double"});
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("win     1300 of 2756"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("tie      156 of 2756"), std::string::npos);
}

}  // namespace
}  // namespace quillon::odds

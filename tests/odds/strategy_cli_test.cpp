// quillon-odds strategy and the risk lines of return, as the shell sees them.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "odds/cli/odds_cli.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

TEST(StrategyCli, JsonCarriesTheChartAndBothReturns) {
    QUILLON_WHOLE_GAME_SWEEP();
    const CliRun r = run({"strategy", "--game", "jacks-or-better-9-6", "--lines", "30", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["game"], "Jacks or Better 9/6");
    const auto& lines = j["lines"];
    ASSERT_LE(lines.size(), 30u);
    ASSERT_GE(lines.size(), 20u);
    double shares = 0.0;
    std::set<std::string> seen;
    for (const auto& line : lines) {
        shares += line["share"].get<double>();
        EXPECT_TRUE(seen.insert(line["pattern"].get<std::string>()).second)
            << "two lines read alike: " << line["pattern"];
    }
    EXPECT_NEAR(shares, 1.0, 1e-9);
    EXPECT_EQ(lines.back()["pattern"], "discard everything");
    EXPECT_EQ(lines.front()["pattern"].get<std::string>().empty(), false);
    const double chart = j["strategy_return"];
    const double perfect = j["perfect_return"];
    EXPECT_NEAR(perfect, 0.995439, 1e-6);
    EXPECT_LE(chart, perfect);
    EXPECT_LT(perfect - chart, 0.0005) << "30 lines of Jacks or Better cost under 0.05 points";
}

// A table the program has never seen, from a file: tens or better.
TEST(StrategyCli, DerivesTheChartOfAHandWrittenPayTable) {
    QUILLON_WHOLE_GAME_SWEEP();
    const auto path = unique_temp_path("tens-or-better-", ".game");
    {
        std::ofstream file(path);
        file << "# Tens or Better 6/5\nname  Tens or Better 6/5\nwild  none\n"
                "royal  250 4000@5\nstraight-flush 50\nfour 25\nfull-house 6\nflush 5\n"
                "straight 4\nthree 3\ntwo-pair 2\npair 1 tens\n";
    }
    const CliRun r = run({"strategy", "--game", path.string()});
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("game Tens or Better 6/5 (52 cards)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("high cards: tens, jacks, queens, kings and aces"), std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("the chart costs"), std::string::npos);
    EXPECT_NE(r.out.find("where the chart loses most"), std::string::npos);
}

// A one-line chart misses even the dealt royal: its five cards and 800.0000 stay two columns.
// (Generated charts keep pat hands at any length, so the chart is written by hand.)
TEST(StrategyCli, TheWorstDealsKeepTheirColumnsApart) {
    QUILLON_WHOLE_GAME_SWEEP();
    const auto path = unique_temp_path("one-line-", ".chart");
    std::ofstream(path) << "game jacks-or-better-9-6\ndiscard everything\n";
    const CliRun r = run({"chart", path.string()});
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t from = r.out.find("where the chart loses most");
    ASSERT_NE(from, std::string::npos) << r.out;
    const std::string worst = r.out.substr(from);
    EXPECT_NE(worst.find("best: s1 s10 s11 s12 s13     800.0000"), std::string::npos) << worst;
    // No card runs into a figure: a letter, digits, a point.
    for (std::size_t i = 0; i + 1 < worst.size(); ++i) {
        if (worst[i] < 'a' || worst[i] > 'z') {
            continue;
        }
        std::size_t j = i + 1;
        while (j < worst.size() && std::isdigit(static_cast<unsigned char>(worst[j])) != 0) {
            ++j;
        }
        EXPECT_FALSE(j > i + 1 && j < worst.size() && worst[j] == '.') << worst.substr(i, 20);
    }
}

struct StrategyBadLine {
    std::vector<std::string_view> args;
    std::string_view says;
};

class StrategyCliRefuses : public ::testing::TestWithParam<StrategyBadLine> {};

TEST_P(StrategyCliRefuses, WithStatusTwoAndAnError) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("error: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StrategyCliRefuses,
    ::testing::Values(StrategyBadLine{{"strategy", "--lines", "0"}, "--lines takes"},
                      StrategyBadLine{{"strategy", "--lines=many"}, "--lines takes"},
                      StrategyBadLine{{"strategy", "--lines", "201"}, "--lines takes"},
                      StrategyBadLine{{"strategy", "--lines"}, "--lines needs"},
                      StrategyBadLine{{"strategy", "s1"}, "strategy takes no cards"},
                      StrategyBadLine{{"return", "--lines", "5"}, "return takes no --lines"},
                      StrategyBadLine{{"strategy", "--rules", "0"}, "--rules takes"},
                      StrategyBadLine{{"strategy", "--lines", "20", "--rules", "20"}, "give one"},
                      StrategyBadLine{{"strategy", "--rules", "20", "--perfect"}, "give one"},
                      StrategyBadLine{{"strategy", "--perfect", "--ultimate-x", "3"},
                                      "--ultimate-x takes no --rules or --perfect"}),
    [](const auto& row) { return "line" + std::to_string(row.index); });

TEST(ReturnCli, ReportsTheRiskOfASession) {
    const CliRun r = run({"return", "--game", "jacks-or-better-9-6"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("where the variance comes from"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("N0, the hands after which the expected loss"), std::string::npos);
    EXPECT_NE(r.out.find("within 10000 hands"), std::string::npos);
    const CliRun j = run({"return", "--game", "quillon", "--json"});
    ASSERT_EQ(j.status, 0) << j.err;
    const nlohmann::json risk = nlohmann::json::parse(j.out)["risk"];
    ASSERT_EQ(risk["risk_of_ruin"].size(), 3u);
    EXPECT_EQ(risk["risk_of_ruin"][2]["bankroll"], 1000);
    EXPECT_LT(risk["risk_of_ruin"][0]["ever"].get<double>(), 0.05);
    EXPECT_GT(risk["n0"].get<double>(), 1000.0);
}

struct PatternCase {
    std::string game;
    std::string deal;
    std::string hold;
    std::string text;
};

class HoldWords : public ::testing::TestWithParam<PatternCase> {};

// The words a player reads for a hold, the finest of its patterns.
TEST_P(HoldWords, NameTheHoldAsAPlayerSeesIt) {
    const Game& game = shared_tallies(GetParam().game).game();
    const std::array<CardId, 5> deal = parse_deal(GetParam().deal);
    HoldMask mask = 0;
    std::istringstream held(GetParam().hold);
    for (std::string word; held >> word;) {
        for (std::size_t i = 0; i < 5; ++i) {
            if (deal[i].text() == word) {
                mask = static_cast<HoldMask>(mask | 1u << i);
            }
        }
    }
    const RankProfile profile = rank_profile(game);
    const HoldPatterns patterns = patterns_of(game, profile, deal, mask);
    ASSERT_GT(patterns.count, 0u);
    EXPECT_EQ(pattern_text(patterns.keys[0], game, profile), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Holds, HoldWords,
    ::testing::Values(
        PatternCase{"jacks-or-better-9-6", "h10 h11 h12 h13 s2", "h10 h11 h12 h13",
                    "4 to a royal flush"},
        PatternCase{"jacks-or-better-9-6", "s11 d11 c3 h5 s8", "s11 d11",
                    "high pair (jacks or better)"},
        PatternCase{"jacks-or-better-9-6", "h11 h10 s4 d6 c8", "h11 h10",
                    "suited 10-J, no flush penalty"},
        PatternCase{"jacks-or-better-9-6", "h5 h6 h8 s13 d2", "h5 h6 h8",
                    "3 to a straight flush, not a royal, 1 gap, no high card"},
        PatternCase{"jacks-or-better-9-6", "s5 d6 c7 h8 s13", "s5 d6 c7 h8",
                    "4 to an outside straight, mixed suits, no high card"},
        PatternCase{"jacks-or-better-9-6", "s5 d6 c7 h8 s13", "", "discard everything"},
        PatternCase{"quillon", "joker s2 d5 c9 h13", "joker", "joker alone"},
        PatternCase{"quillon", "joker h10 h11 h12 s3", "joker h10 h11 h12",
                    "joker + 3 to a royal flush"},
        PatternCase{"deuces-wild-full-pay", "s2 d2 h10 h11 c5", "s2 d2", "2 deuces alone"},
        PatternCase{"double-double-bonus-9-6", "s1 d1 c5 h9 s10", "s1 d1",
                    "high pair (jacks or better, aces)"}),
    [](const auto& row) { return "hold" + std::to_string(row.index); });

}  // namespace
}  // namespace quillon::odds

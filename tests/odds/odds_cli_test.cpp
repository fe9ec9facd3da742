// quillon-odds as the shell sees it: exit status, standard output and standard error.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "odds/cli/odds_cli.h"
#include "odds/games/pay_table.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

std::size_t count_lines(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct BadLine {
    std::vector<std::string_view> args;
    std::string_view says;
};

class OddsCliRefuses : public ::testing::TestWithParam<BadLine> {};

// A pay-table file written into the test's scratch folder.
std::string write_file(const std::string& name, const std::string& text) {
    const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) / name;
    std::ofstream(path) << text;
    return path.string();
}

TEST_P(OddsCliRefuses, WithStatusTwoAndNothingOnStandardOutput) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("error: ")) << r.err;
    EXPECT_EQ(count_lines(r.err), 1u) << r.err;
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OddsCliRefuses,
    ::testing::Values(
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s14"}, "'s14' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "S4"}, "S4 is dealt twice"},
        BadLine{{"hand", "As", "2s", "3s", "4s", "s1"}, "s1 is dealt twice"},
        BadLine{{"hand", "As", "2s", "3s", "4s", "1s"}, "'1s' is not a card"},
        BadLine{{"hand", "As", "2s", "3s", "4s", "11s"}, "'11s' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s01"}, "'s01' is not a card"},
        BadLine{{"hand", "s1", "s2", "s3", "s1", "h5"}, "s1 is dealt twice"},
        BadLine{{"hand", "joker", "s2", "s3", "s4", "joker"}, "dealt twice"},
        BadLine{{"hand", "s1", "s2", "s3", "s4"}, "exactly five cards"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--game", "poker"}, "unknown game 'poker'"},
        BadLine{{"return", "--game=deuces"}, "unknown game 'deuces'"},
        BadLine{{"return", "--game"}, "--game needs a name"},
        BadLine{{"hand", "joker", "s2", "s3", "s4", "s5", "--game", "jacks-or-better-9-6"},
                "without the joker"},
        BadLine{{"hand", "joker", "s2", "s3", "s4", "joker2"}, "played with one joker"},
        BadLine{{"hand", "joker", "s2", "s3", "joker", "joker", "--game", "double-joker-9-5"},
                "dealt twice"},
        BadLine{{"double", "--game", "quillon"}, "double takes no arguments"},
        BadLine{{"return", "s1"}, "return takes no cards"},
        BadLine{{"deal"}, "unknown command 'deal'"}, BadLine{{"--fast"}, "unknown option '--fast'"},
        BadLine{{}, "no command"},
        BadLine{{"return", "--coins", "0"}, "--coins takes a bet of 1 to 100 coins, not '0'"},
        BadLine{{"return", "--coins=5x"}, "not '5x'"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--hold", "s1 s9"}, "s9 is not in the deal"},
        BadLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--hold", "s1,s1"}, "s1 is held twice"},
        BadLine{{"return", "--hold", "s1"}, "return takes no --hold"},
        BadLine{{"games", "--game", "quillon"}, "games takes no --game"},
        BadLine{{"return", "--game", "/nonexistent/mine.game"},
                "/nonexistent/mine.game: was not found"}));

TEST(OddsCli, ReportsABadPayTableFileByItsLine) {
    const std::string path = write_file("typo.game", "wild none\nroyal 800\nstraight-flsh 50\n");
    const CliRun r = run({"return", "--game", path});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "error: " + path + ":3: unknown word 'straight-flsh'\n");
}

// A table typed in by hand from the machine in front of the player.
TEST(OddsCli, ReturnOfAPayTableFileIsThePublishedFigure) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::string path = write_file("ddb.game", R"(# as on the glass
name  Double Double Bonus
wild  none
royal 250 4000@5
straight-flush 50
four-aces-kicker 400
four-aces 160
four-2-4-kicker 160
four-2-4 80
four 50
full-house 9
flush 6
straight 4
three 3
two-pair 1
pair 1 jacks
)");
    const CliRun r = run({"return", "--game", path});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("return              98.980783%"), std::string::npos) << r.out;
}

// A built-in game's table copied under a name of its own: the built-in game's figures, at its
// own pays and at a meter's.
TEST(OddsCli, ReturnOfACopiedTableIsTheBuiltInGames) {
    std::ifstream in(std::string(QUILLON_SOURCE_DIR) + "/odds/games/jacks-or-better-9-6.game");
    std::string text;
    for (std::string line; std::getline(in, line);) {
        text += (line.starts_with("name") ? std::string("name  My Jacks") : line) + "\n";
    }
    const std::string path = write_file("my-jacks.game", text);
    for (const std::vector<std::string_view>& pay :
         {std::vector<std::string_view>{}, std::vector<std::string_view>{"--pay", "royal=1200"}}) {
        std::vector<std::string_view> mine = {"return", "--json", "--game", path};
        std::vector<std::string_view> built = {"return", "--json", "--game", "jacks-or-better-9-6"};
        mine.insert(mine.end(), pay.begin(), pay.end());
        built.insert(built.end(), pay.begin(), pay.end());
        const CliRun a = run(mine);
        const CliRun b = run(built);
        ASSERT_EQ(a.status, 0) << a.err;
        nlohmann::json j = nlohmann::json::parse(a.out);
        EXPECT_EQ(j["game"], "My Jacks");
        j["game"] = "Jacks or Better 9/6";
        EXPECT_EQ(j, nlohmann::json::parse(b.out)) << (pay.empty() ? "" : pay[1]);
    }
}

TEST(OddsCli, ReturnJsonCarriesTheFiguresAndTheirFractions) {
    const CliRun r = run({"return", "--game", "jacks-or-better-9-6", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["game"], "Jacks or Better 9/6");
    EXPECT_NEAR(j["return"].get<double>(), 0.995439, 5e-7);
    EXPECT_EQ(j["return_exact"], "1653526326983/1661102543100");
    EXPECT_NEAR(j["hit_frequency"].get<double>(), 1.0 - 10872274993896.0 / 19933230517200.0, 1e-12);
    EXPECT_NEAR(j["standard_deviation"].get<double>(), 4.417, 1e-3);
    ASSERT_EQ(j["final_hands"].size(), 10u);
    EXPECT_EQ(j["final_hands"][8]["hand"], "jacks or better");
    EXPECT_EQ(j["final_hands"][8]["count"], 4'277'372'890'968u);
}

TEST(OddsCli, HoldIsCheckedAgainstTheBest) {
    // Four to a royal against the pat flush.
    const std::vector<std::string_view> deal = {"hand", "s1", "s13",    "s12",
                                                "s11",  "s3", "--game", "jacks-or-better-9-6"};
    std::vector<std::string_view> flush = deal;
    flush.insert(flush.end(), {"--hold", "s1 s13 s12 s11 s3"});
    const CliRun text = run(flush);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("your hold       s1 s13 s12 s11 s3     6.000000 per coin"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("the best hold   s1 s13 s12 s11"), std::string::npos);
    flush.push_back("--json");
    const nlohmann::json j = nlohmann::json::parse(run(flush).out);
    EXPECT_EQ(j["checked"]["return_exact"], "6");
    EXPECT_EQ(j["best"]["hold"], nlohmann::json({"s1", "s13", "s12", "s11"}));
    EXPECT_GT(j["gives_up"].get<double>(), 12.0);
    EXPECT_EQ(j["holds"].size(), 32u);
    std::vector<std::string_view> best = deal;
    best.insert(best.end(), {"--hold", "s1,s13,s12,s11", "--json"});
    EXPECT_EQ(nlohmann::json::parse(run(best).out)["gives_up_exact"], "0");
}

TEST(OddsCli, GamesListsEveryBuiltInGameWithItsReturn) {
    const CliRun r = run({"games", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    ASSERT_EQ(j["games"].size(), game_names().size());
    for (const auto& game : j["games"]) {
        EXPECT_GT(game["return"].get<double>(), 0.97) << game["name"];
        EXPECT_TRUE(game["return_exact"].is_string());
    }
    EXPECT_EQ(j["games"][0]["name"], "quillon");
}

TEST(OddsCli, DoubleJsonCountsThePairs) {
    const nlohmann::json j = nlohmann::json::parse(run({"double", "--json"}).out);
    EXPECT_EQ(j["pairs"], 2756);
    EXPECT_EQ(j["win"]["count"], 1300);
    EXPECT_EQ(j["tie"]["probability_exact"], "3/53");
}

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
    // Three lines of heading (the tie rule the last) and a blank, a header row, then one line
    // per hold.
    EXPECT_EQ(count_lines(r.out), 4u + 1u + 32u);
    // The royal made with the joker: no natural royal, a wild one for sure.
    EXPECT_NE(r.out.find("\nh13 joker h12 h11 h1   1000.000000        0.0000%   100.0000%"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("(draw five)"), std::string::npos);
}

// Two holds return 16/47 here, four to a straight and three to a straight flush: whatever order
// the cards are typed in, hand names the same one first, the one return counts, and both reports
// state the rule.
TEST(OddsCli, HandBreaksTiesByCardOrderNotByTypedOrder) {
    std::vector<std::vector<std::string>> bests;
    for (const std::vector<std::string_view>& cards :
         {std::vector<std::string_view>{"d3", "s4", "d5", "s6", "s8"},
          std::vector<std::string_view>{"s8", "s6", "d5", "s4", "d3"},
          std::vector<std::string_view>{"s6", "d3", "s8", "d5", "s4"}}) {
        std::vector<std::string_view> args = {"hand"};
        args.insert(args.end(), cards.begin(), cards.end());
        args.insert(args.end(), {"--game", "deuces-wild-full-pay", "--json"});
        const CliRun r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        const auto report = nlohmann::json::parse(r.out);
        auto best = report["best"]["hold"].get<std::vector<std::string>>();
        std::sort(best.begin(), best.end());
        bests.push_back(best);
        EXPECT_NE(report["ties"].get<std::string>().find("card order"), std::string::npos);
    }
    const std::vector<std::string> straight = {"d3", "d5", "s4", "s6"};
    for (const auto& best : bests) {
        EXPECT_EQ(best, straight);
    }
    const CliRun text = run({"return", "--game", "deuces-wild-full-pay"});
    EXPECT_NE(
        text.out.find("\nties: of holds that return exactly the same, the first in card order"),
        std::string::npos)
        << text.out;
}

// With two jokers in the deck "joker" twice deals both; two jokers and a pair make four of a kind.
TEST(OddsCli, HandDealsBothJokersOfADoubleJokerDeck) {
    const CliRun r =
        run({"hand", "joker", "s9", "joker", "h9", "c4", "--game", "double-joker-9-5"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("deal joker s9 joker2 h9 c4"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\njoker s9 joker2 h9 "), std::string::npos) << r.out;
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

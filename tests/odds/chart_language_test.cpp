// The chart language: every pattern's words read back as that pattern, generated charts score
// the same after a round trip through their file, hand-written charts score as a slow
// deal-by-deal check finds, and bad files are refused line by line.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "base/combinatorics.h"
#include "base/wide.h"
#include "odds/play/game_return.h"
#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

class EveryGame : public ::testing::TestWithParam<std::string_view> {};

// Words that say every distinction the matcher makes: no two patterns of a game read alike, and
// each pattern's words read back as itself.
TEST_P(EveryGame, EveryPatternsWordsReadBackAsThatPattern) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game game = find_game(GetParam()).value();
    const RankProfile profile = rank_profile(game);
    const std::vector<PatternKey> keys = vocabulary(game, profile);
    ASSERT_GT(keys.size(), 20u);
    std::map<std::string, PatternKey> seen;
    std::string text = "game " + std::string(GetParam()) + "\n";
    for (const PatternKey key : keys) {
        const std::string words = pattern_text(key, game, profile);
        const auto [it, fresh] = seen.emplace(words, key);
        EXPECT_TRUE(fresh) << "two patterns read '" << words << "'";
        text += words + "\n";
    }
    const Chart chart = read_chart(text, "all.chart", game);
    ASSERT_EQ(chart.lines.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(chart.lines[i].key, keys[i]) << chart.lines[i].words;
        EXPECT_EQ(chart.lines[i].file_line, static_cast<int>(i) + 2);
    }
    EXPECT_EQ(chart.game, std::string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Builtin, EveryGame, ::testing::ValuesIn(game_names()),
                         [](const auto& row) {
                             std::string name(row.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

struct RoundTrip {
    std::string game;
    std::size_t lines;
    // Whether the default chart keeps within the default's cost, half a hundredth of a point.
    bool within_default_cost = false;
};

class GeneratedChart : public ::testing::TestWithParam<RoundTrip> {};

// The generator's own exact check of its chart and the score of the same chart written out and
// read back agree to the last unit.
TEST_P(GeneratedChart, ScoresTheSameAfterARoundTripThroughItsFile) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies(GetParam().game);
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const DealPatterns table = deal_patterns(tallies, profile, deal_classes(game.jokers()));
    const ChartLines lines = build_chart(table, GetParam().lines);
    const ChartCheck built = check_chart(tallies, table, lines);
    if (GetParam().lines == 0 && built.perfect_return() - built.chart_return() > 5e-5) {
        // A default chart that costs more than half a hundredth of a point uses the room of the
        // longest default, 60 lines (bar lines that would decide nothing).
        EXPECT_GE(lines.size(), 55u);
    }
    if (GetParam().within_default_cost) {
        EXPECT_LE(built.perfect_return() - built.chart_return(), 5e-5);
        EXPECT_LE(lines.size(), 60u);
    }
    std::vector<PatternKey> keys;
    for (const std::uint32_t id : lines) {
        keys.push_back(table.keys[id]);
    }
    const std::string file = write_chart(chart_of_keys(keys, game), game, GetParam().game);
    const ChartReport read = report_chart(tallies, file, "round.chart");
    EXPECT_EQ(read.chart.keys(), keys);
    EXPECT_EQ(read.score.check.chart_pay, built.chart_pay);
    EXPECT_EQ(read.score.check.perfect_pay, built.perfect_pay);
    EXPECT_EQ(read.score.check.total, built.total);
    EXPECT_EQ(read.score.unmatched, 0u);
    double shares = 0.0;
    for (const double s : read.score.share) {
        shares += s;
    }
    EXPECT_NEAR(shares, 1.0, 1e-12);
    // Saved with its shares as comments, it reads back the same.
    const std::string saved = chart_file_text(read, game, GetParam().game);
    EXPECT_EQ(read_chart(saved, "saved.chart", game).keys(), keys);
}

INSTANTIATE_TEST_SUITE_P(Games, GeneratedChart,
                         ::testing::Values(RoundTrip{"jacks-or-better-9-6", 23},
                                           RoundTrip{"deuces-wild-full-pay", 26},
                                           RoundTrip{"double-double-bonus-9-6", 15},
                                           RoundTrip{"bonus-deuces-wild-13-4-3", 40},
                                           RoundTrip{"quillon", 0, true},
                                           RoundTrip{"joker-kings-20-7-5", 20},
                                           // Its cheap lines would take it over the default's
                                           // cost: it stops dropping them before.
                                           RoundTrip{"joker-kings-20-7-5", 0}),
                         [](const auto& row) {
                             std::string name = row.param.game;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" + std::to_string(row.param.lines);
                         });

// Every deal of the game that holds one given card, each weighing one, up to `most` of them.
std::vector<DealClass> deals_with(const Game& game, CardId card, std::size_t most) {
    const bool joker = game.has_joker();
    const int fixed = deck_index(card, joker);
    std::vector<DealClass> deals;
    std::array<int, 4> rest{0, 1, 2, 3};
    do {
        if (std::find(rest.begin(), rest.end(), fixed) != rest.end()) {
            continue;
        }
        std::array<int, 5> cards = {fixed, rest[0], rest[1], rest[2], rest[3]};
        std::sort(cards.begin(), cards.end());
        deals.push_back(DealClass{cards, 1});
    } while (next_subset(rest, game.deck_size()) && deals.size() < most);
    return deals;
}

struct HandWritten {
    std::string game;
    std::string card;
    std::string chart;
    std::size_t deals = 60000;
};

class HandWrittenChart : public ::testing::TestWithParam<HandWritten> {};

// A chart written by hand, scored over a reduced set of deals, against each deal played the
// slow way: the chart's lines tried one by one on all 32 holds, and the hold valued on its own.
TEST_P(HandWrittenChart, ScoresWhatASlowDealByDealCheckFinds) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies(GetParam().game);
    const Game& game = tallies.game();
    const Chart chart = read_chart(GetParam().chart, "hand.chart", game);
    const std::vector<DealClass> deals =
        deals_with(game, CardId::parse(GetParam().card).value(), GetParam().deals);
    const ChartScore score = score_chart(tallies, chart.keys(), deals);
    const std::uint64_t lcm = draw_lcm(game.deck_size() - 5);
    Wide slow = 0;
    Wide best = 0;
    std::uint64_t unmatched = 0;
    for (const DealClass& d : deals) {
        const std::array<CardId, 5> cards = class_cards(d, game.has_joker());
        const auto holds = analyze_deal(tallies, cards);
        HoldMask mask = 0;
        try {
            mask = chart_hold(game, chart.keys(), cards).mask;
        } catch (const std::invalid_argument&) {
            ++unmatched;
        }
        const ChartDecision decision = decide_deal(chart, game, cards);
        ASSERT_EQ(decision.hold, mask);
        const HoldOutcome& h = holds[mask];
        slow += static_cast<Wide>(h.pay_total) * (lcm / static_cast<std::uint64_t>(h.draws));
        const HoldOutcome top = holds_best_first(holds, cards).front();
        best += static_cast<Wide>(top.pay_total) * (lcm / static_cast<std::uint64_t>(top.draws));
    }
    EXPECT_EQ(score.check.chart_pay, static_cast<std::uint64_t>(slow));
    EXPECT_EQ(score.check.perfect_pay, static_cast<std::uint64_t>(best));
    EXPECT_EQ(score.check.total, deals.size() * lcm);
    EXPECT_EQ(score.unmatched, unmatched);
}

INSTANTIATE_TEST_SUITE_P(
    Charts, HandWrittenChart,
    ::testing::Values(
        HandWritten{"jacks-or-better-9-6", "s12",
                    "# a short chart\ngame jacks-or-better-9-6\nroyal flush\nfour of a kind\n"
                    "straight flush\n4 to a royal flush\nfull house\nflush\nthree of a kind\n"
                    "straight\n4 to a straight flush, not a royal\ntwo pair\n"
                    "high pair (jacks or better)\n3 to a royal flush\n"
                    "4 to a flush, no straight in it\nlow pair\n"
                    "4 to a straight, mixed suits\n"
                    "2 to a royal flush, 2 high cards\n"
                    "suited 10-J, no flush penalty\n"
                    "unsuited J-Q-K\na high card alone\n"},
        HandWritten{"deuces-wild-full-pay", "h2",
                    "game deuces-wild-full-pay\n4 deuces alone\nnatural royal\nwild royal\n"
                    "five of a kind\nstraight flush\n3 deuces alone\n4 to a royal flush\n"
                    "four of a kind\nfull house\n2 deuces + 2 to a royal flush\n2 deuces alone\n"
                    "deuce + three of a kind\ndeuce + 3 to a royal flush\nflush\nstraight\n"
                    "deuce + pair\ndeuce + 3 to a straight flush, not a royal\n"
                    "deuce alone\n"},
        HandWritten{"joker-kings-20-7-5", "joker",
                    "five of a kind\nwild royal\nstraight flush\n"
                    "joker + 3 to a royal flush\nfull house\njoker + three of a kind\nflush\n"
                    "straight\njoker + high pair (kings or better)\njoker + low pair\njoker + 3 to "
                    "a straight flush, not a royal\n"
                    "joker + 2 to a royal flush\njoker alone\n"},
        // The joker games' own words: made hands by floor, royal draws by the ace and the flush
        // penalty, single cards by rank.
        HandWritten{"quillon", "joker",
                    "game quillon\nstraight flush or better, all five cards\n"
                    "four of a kind\njoker + three of a kind\n4 to a royal flush\n"
                    "joker + 3 to a royal flush\nfull house or better, all five cards\n"
                    "joker + 3 to a straight flush, not a royal\njoker + pair\n"
                    "joker + 2 to a royal flush, no ace, no flush penalty\n"
                    "any paying hand of all five cards\njoker + 2 to a royal flush, no ace\n"
                    "joker + 2 to a royal flush, with the ace, flush penalty\n"
                    "joker + seven\njoker + a card from 2 to 9\njoker + ten\njoker alone\n",
                    20000},
        HandWritten{"joker-kings-20-7-5", "s13",
                    "game joker-kings-20-7-5\nflush or better, all five cards\n"
                    "joker + three of a kind\nstraight or better, all five cards\n"
                    "joker + high pair (kings or better)\nhigh pair (kings or better)\n"
                    "king alone\n",
                    20000}),
    [](const auto& row) { return "chart" + std::to_string(row.index); });

std::string write_temp(const std::string& name, const std::string& text) {
    const auto path = unique_temp_path(name, ".chart");
    std::ofstream(path) << text;
    return path.string();
}

struct BadChart {
    std::string text;
    std::string game;
    std::string says;
};

class BadChartFile : public ::testing::TestWithParam<BadChart> {};

TEST_P(BadChartFile, IsRefusedWithItsFileAndLine) {
    const std::string path = write_temp("bad", GetParam().text);
    std::vector<std::string_view> args = {"chart", path};
    if (!GetParam().game.empty()) {
        args.insert(args.end(), {"--game", GetParam().game});
    }
    const CliRun r = run(args);
    std::filesystem::remove(path);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("error: " + path + ":", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadChartFile,
    ::testing::Values(
        BadChart{"game jacks-or-better-9-6\nfour of a kind\n4 to a royal flash\n", "",
                 ":3: unknown pattern '4 to a royal flash' (did you mean '4 to a royal flush'?)"},
        BadChart{"four of a kind\nlow pair\n# again\nlow  pair\n", "jacks-or-better-9-6",
                 ":4: 'low  pair' is already the pattern of line 2"},
        BadChart{"game deuces-wild-full-pay\nnatural royal\ndeuce + pair\n", "jacks-or-better-9-6",
                 ":2: unknown pattern 'natural royal'"},
        BadChart{"royal flush\ndeuce + pair\n", "jacks-or-better-9-6",
                 ":2: 'deuce + pair' holds a deuce, which is not wild in Jacks or Better 9/6"},
        BadChart{"# nothing but a comment\n\n", "jacks-or-better-9-6",
                 ":1: the chart has no lines"},
        BadChart{"game quillon\ngame jacks-or-better-9-6\nlow pair\n", "",
                 ":2: a second game line"}),
    [](const auto& row) { return "file" + std::to_string(row.index); });

// `strategy --save` writes what `chart` reads back to the same figures, and `chart --hand`
// names the deciding line and its hold.
TEST(ChartCli, SavedChartsScoreAsTheirStrategyAndDecideHands) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::string path = write_temp("saved", "");
    const CliRun made = run(
        {"strategy", "--game", "jacks-or-better-9-6", "--lines", "23", "--save", path, "--json"});
    ASSERT_EQ(made.status, 0) << made.err;
    const CliRun read = run({"chart", path, "--json"});
    ASSERT_EQ(read.status, 0) << read.err;
    const nlohmann::json a = nlohmann::json::parse(made.out);
    const nlohmann::json b = nlohmann::json::parse(read.out);
    EXPECT_EQ(a["strategy_return"], b["strategy_return"]);
    EXPECT_EQ(a["perfect_return"], b["perfect_return"]);
    EXPECT_EQ(a["lines"], b["lines"]);
    EXPECT_EQ(b["unmatched_deals"], 0);

    const CliRun hand = run({"chart", path, "--hand", "s1", "s13", "d9", "d10", "d11", "--json"});
    ASSERT_EQ(hand.status, 0) << hand.err;
    const nlohmann::json h = nlohmann::json::parse(hand.out);
    ASSERT_TRUE(h["line"].is_number());
    const auto line = h["line"].get<std::size_t>();
    EXPECT_EQ(h["pattern"], b["lines"][line - 1]["pattern"]);
    EXPECT_FALSE(h["hold"].empty());

    const CliRun examples = run({"chart", path, "--examples"});
    ASSERT_EQ(examples.status, 0) << examples.err;
    EXPECT_NE(examples.out.find("one deal each line decides"), std::string::npos);
    EXPECT_NE(examples.out.find(std::string(kTieRule)), std::string::npos);
    std::filesystem::remove(path);
}

// A chart without "discard everything" leaves some deals to no line; they are discarded whole
// and counted.
TEST(ChartCli, CountsTheDealsNoLineMatches) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::string path =
        write_temp("short", "game jacks-or-better-9-6\nhigh pair (jacks or better)\n");
    const CliRun r = run({"chart", path});
    std::filesystem::remove(path);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("deals; they are discarded whole"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("no line:"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quillon::odds

namespace quillon::odds {
namespace {

std::string collapse(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            if (!out.empty() && out.back() != ' ') {
                out += ' ';
            }
        } else {
            out += c;
        }
    }
    if (!out.empty() && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

// The documentation states the tie rule as the program does, and each of its example deals is
// decided by a one-line chart of its words with the hold it shows.
TEST(ChartDocs, StateTheTieRuleAndDecideEveryExampleDeal) {
    QUILLON_WHOLE_GAME_SWEEP();
    std::ifstream file(std::string(QUILLON_SOURCE_DIR) + "/docs/strategy-charts.md");
    ASSERT_TRUE(file);
    std::stringstream text;
    text << file.rdbuf();
    const std::string doc = text.str();
    EXPECT_NE(collapse(doc).find(collapse(std::string(kTieRule))), std::string::npos);
    std::istringstream lines(doc);
    std::size_t rows = 0;
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("| `")) {
            continue;
        }
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');) {
            cells.push_back(collapse(cell));
        }
        ASSERT_GE(cells.size(), 4u) << line;
        const std::string words = cells[0].substr(1, cells[0].size() - 2);
        const Game game = find_game(cells[1]).value();
        const Chart chart = read_chart(words, "docs", game);
        const std::array<CardId, 5> deal = parse_deal(cells[2]);
        const ChartDecision decision = decide_deal(chart, game, deal);
        EXPECT_EQ(decision.line, 1u) << line;
        EXPECT_EQ(held_cards(deal, decision.hold), cells[3]) << line;
        ++rows;
    }
    EXPECT_GE(rows, 40u);
}

}  // namespace
}  // namespace quillon::odds

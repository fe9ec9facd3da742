// The charts of several lengths from one search, the cuts shared between them, are the charts a
// search of each length alone finds, in whatever order the lengths are asked for, the default
// length among them. Over a sample
// of each deck's deal classes, so that the searches take milliseconds.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/chart_planner.h"
#include "odds/strategy/search/length_search.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

using chart_search::LengthSearch;
using chart_search::Planner;

// Every `step`th deal class of the game, with the patterns the command line leaves out.
DealPatterns sampled_table(const std::string& game, std::size_t step) {
    const Tallies& tallies = shared_tallies(game);
    const RankProfile profile = rank_profile(tallies.game());
    const PatternWords words = pattern_words(tallies.game(), profile);
    std::vector<DealClass> deals;
    const std::vector<DealClass> all = deal_classes(tallies.game().jokers());
    for (std::size_t d = 0; d < all.size(); d += step) {
        deals.push_back(all[d]);
    }
    return deal_patterns(tallies, profile, std::move(deals), 1, &words.shadowed);
}

// The search of one length, step by step on a planner of its own.
ChartLines alone(const DealPatterns& table, std::size_t max_lines) {
    Planner planner(table);
    planner.greedy();
    planner.settle(true, std::max(max_lines, planner.order().size()));
    planner.keep_pat_hands();
    planner.drop_idle();
    planner.drop_to(max_lines);
    planner.mend_order(max_lines);
    planner.plain_words();
    planner.tidy();
    return planner.order();
}

class LengthSearchTest : public testing::TestWithParam<std::string> {};

TEST_P(LengthSearchTest, EachLengthIsTheChartOfItsSearchAlone) {
    const DealPatterns table = sampled_table(GetParam(), 23);
    // Lengths out of order and twice, one beyond the first order's length, so that its first
    // steps differ, and one line, where the cut runs out of lines to drop.
    LengthSearch search(table);
    const std::size_t first = search.from_first_order().order().size();
    const std::vector<std::size_t> lengths{12, 20, 13, 5, 12, first + 3, 21, 1, 4};
    for (const std::size_t n : lengths) {
        EXPECT_EQ(search.chart(n), alone(table, n)) << n << " lines";
    }
}

// The default length among others from one PlainCharts: its cuts back and forth around the
// default ask the search for lengths the caller asked for before and after, and none of that may
// change a chart. Each is build_chart's, which searches afresh.
TEST_P(LengthSearchTest, PlainChartsOfOneSearchAreBuildChartsOwn) {
    const DealPatterns table = sampled_table(GetParam(), 23);
    PlainCharts plain(table);
    EXPECT_EQ(&plain.table(), &table);
    for (const std::size_t n : {std::size_t{15}, std::size_t{0}, std::size_t{8}, std::size_t{0},
                                std::size_t{15}, std::size_t{26}}) {
        EXPECT_EQ(plain.chart(n), build_chart(table, n)) << n << " lines";
    }
}

INSTANTIATE_TEST_SUITE_P(Decks, LengthSearchTest,
                         testing::Values("jacks-or-better-9-6", "double-bonus-9-6-5",
                                         "deuces-wild-full-pay", "joker-kings-20-7-5"),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace quillon::odds

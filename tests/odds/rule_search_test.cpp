// The search for charts of rules: it plays plain lines as the chart search does, an exception as
// the chart scorer does, and what it expects a step to gain is what the step gains.
#include <gtest/gtest.h>

#include "odds/games/pay_table.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/chart_rules.h"
#include "odds/strategy/search/rule_search.h"

namespace quillon::odds {
namespace {

using rule_search::kNone;
using rule_search::RuleSearch;

struct JacksTable {
    Game game = find_game("jacks-or-better-9-6").value();
    Tallies tallies{game};
    RankProfile profile = rank_profile(game);
    PatternWords words = pattern_words(game, profile);
    DealPatterns table = deal_patterns(tallies, profile, deal_classes(0), 2, &words.shadowed);
    RuleWritable any = [](PatternKey, const DiscardCondition&) { return true; };
};

const JacksTable& jacks() {
    static const JacksTable t;
    return t;
}

std::uint32_t id_of(const DealPatterns& table, const ChartWords& words, const std::string& text) {
    const PatternKey key = words.find(text);
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        if (table.keys[p] == key) {
            return p;
        }
    }
    ADD_FAILURE() << text << " is no pattern of the table";
    return 0;
}

TEST(RuleSearch, PlaysPlainLinesAsTheChartSearchDoes) {
    const JacksTable& j = jacks();
    const ChartLines lines = build_chart(j.table, 20);
    EXPECT_NEAR(rules_shortfall(j.table, j.game, plain_rules(lines)),
                chart_shortfall(j.table, lines), 1e-12);
}

TEST(RuleSearch, PlaysAnExceptionAsTheChartFileReadsIt) {
    const JacksTable& j = jacks();
    const ChartWords words(j.game);
    const std::string text =
        "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
        "high pair, two pair, three of a kind, straight, flush or full house\n"
        "4 to a flush, when the discarded card is a 10\n"
        "3 to a royal flush\n"
        "4 to a flush\n"
        "low pair\n"
        "king alone, with a 9 discarded, flush penalty\n"
        "suited 10-K\n"
        "discard everything\n";
    const Chart chart = read_chart(text, "e.chart", j.game);
    ChartRules rules;
    for (const ChartLine& line : chart.lines) {
        rules.push_back(ChartRule{
            id_of(j.table, words,
                  line.condition.any() ? split_condition(line.words)->pattern : line.words),
            line.condition});
    }
    const ChartScore score = score_chart(j.tallies, chart, 2);
    const double exact = score.check.perfect_return() - score.check.chart_return();
    EXPECT_NEAR(rules_shortfall(j.table, j.game, rules), exact, 1e-12);
}

TEST(RuleSearch, EachStepGainsWhatItPromised) {
    const JacksTable& j = jacks();
    RuleSearch search(j.table, j.game, j.any);
    search.set(plain_rules(build_chart(j.table, 15)));
    search.evaluate();
    const double start = search.value();

    const rule_search::Insert insert = search.best_insert();
    ASSERT_NE(insert.slot, kNone);
    search.insert(insert);
    search.evaluate();
    EXPECT_NEAR(search.value() - start, insert.gain, 1e-12);
    EXPECT_EQ(search.rules().size(), 16u);

    const double before_split = search.value();
    const rule_search::Refine split = search.best_refine(true);
    ASSERT_NE(split.index, kNone);
    search.refine(split);
    search.evaluate();
    EXPECT_NEAR(search.value() - before_split, split.gain, 1e-12);
    EXPECT_TRUE(search.rules()[split.index].condition.any());
    EXPECT_EQ(search.rules()[split.slot].pattern, search.rules()[split.index].pattern);

    const auto [cheap, cost] = search.cheapest_drop();
    ASSERT_NE(cheap, kNone);
    const double before_drop = search.value();
    search.drop(cheap);
    search.evaluate();
    EXPECT_NEAR(before_drop - search.value(), cost, 1e-12);
}

}  // namespace
}  // namespace quillon::odds

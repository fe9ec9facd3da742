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
#include "tests/odds/chart_word_support.h"

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

// What the discards of one hold show, as every condition reads it at once.
TEST(DiscardView, SeesTheRanksCountAndPenaltiesOfTheCardsThrownAway) {
    const Game jacks = find_game("jacks-or-better-9-6").value();
    const RankProfile profile = rank_profile(jacks);
    // Suited 10-J kept: the nine lies in 7-J, 8-Q and 9-K, the four and two in none.
    const std::array<CardId, 5> deal = parse_deal("h10 h11 s9 d4 c2");
    const DiscardView view = discard_view(jacks, profile, deal, 0b00011);
    EXPECT_EQ(view.discards, 3);
    EXPECT_EQ(view.ranks, (1u << 7) | (1u << 2) | (1u << 0));
    EXPECT_TRUE(view.straight);
    EXPECT_FALSE(view.high);
    EXPECT_FALSE(view.flush);
    DiscardCondition nine;
    nine.discarded = 1u << 7;
    EXPECT_TRUE(condition_meets(nine, view));
    nine.only_discard = true;
    EXPECT_FALSE(condition_meets(nine, view));
    // A jack kept alone beside a discarded queen and heart: a high-card penalty, a flush
    // penalty, and a straight one, as the queen lies in 8-Q to J-A with the jack.
    const std::array<CardId, 5> other = parse_deal("h11 s12 h4 d6 c8");
    const DiscardView jack = discard_view(jacks, profile, other, 0b00001);
    EXPECT_TRUE(jack.high);
    EXPECT_TRUE(jack.flush);
    EXPECT_TRUE(jack.straight);
    DiscardCondition clean;
    clean.high = 0;
    EXPECT_FALSE(condition_meets(clean, jack));
    // Wild cards thrown away count among the discards and are no penalty.
    const Game deuces = find_game("deuces-wild-full-pay").value();
    const std::array<CardId, 5> wild = parse_deal("h10 h11 h12 s2 d5");
    const DiscardView kept = discard_view(deuces, rank_profile(deuces), wild, 0b00111);
    EXPECT_EQ(kept.discards, 2);
    EXPECT_EQ(kept.ranks, 1u << 3);
    EXPECT_FALSE(kept.straight);
    EXPECT_FALSE(kept.flush);
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

// Each kind of condition the search tries, each way round: a rank discarded, a rank as the one
// card discarded, the straight and high-card penalties seen and not seen, each beside a flush
// penalty or its absence. The search works out which conditions a hold meets all at once; the
// chart scorer asks each line's condition of the hold's own discards.
TEST(RuleSearch, PlaysEveryKindOfConditionAsTheChartFileReadsIt) {
    const JacksTable& j = jacks();
    const ChartWords words(j.game);
    const std::string text =
        "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
        "high pair, two pair, three of a kind, straight, flush or full house\n"
        "4 to a flush, when the discarded card is a 9\n"
        "3 to a royal flush, no straight penalty\n"
        "4 to a flush, with a 10 discarded, no flush penalty\n"
        "suited 10-J, no high-card penalty\n"
        "low pair\n"
        "3 to a royal flush\n"
        "4 to a flush\n"
        "suited 10-J, straight penalty, flush penalty\n"
        "unsuited J-Q, high-card penalty\n"
        "jack alone, no straight penalty, no flush penalty\n"
        "suited 10-J\n"
        "king alone, with a 9 discarded, flush penalty\n"
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
    // Every line decides some deal, so that a condition read wrong shows.
    for (std::size_t i = 0; i < score.share.size(); ++i) {
        EXPECT_GT(score.share[i], 0.0) << chart.lines[i].words;
    }
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

    // A line that asks a condition in its place, with no plain line back below it.
    const ChartWords words(j.game);
    search.set({ChartRule{id_of(j.table, words, "a high card alone"), {}},
                ChartRule{id_of(j.table, words, "low pair"), {}},
                ChartRule{id_of(j.table, words, "4 to a flush"), {}},
                ChartRule{j.table.discard_all, {}}});
    search.evaluate();
    const double before_refine = search.value();
    const rule_search::Refine refine = search.best_refine();
    ASSERT_NE(refine.index, kNone);
    EXPECT_EQ(refine.slot, kNone);
    search.refine(refine);
    search.evaluate();
    EXPECT_GT(refine.gain, 0.0);
    EXPECT_NEAR(search.value() - before_refine, refine.gain, 1e-12);
    EXPECT_EQ(search.rules().size(), 4u);

    const auto [cheap, cost] = search.cheapest_drop();
    ASSERT_NE(cheap, kNone);
    const double before_drop = search.value();
    search.drop(cheap);
    search.evaluate();
    EXPECT_NEAR(before_drop - search.value(), cost, 1e-12);
}

}  // namespace
}  // namespace quillon::odds

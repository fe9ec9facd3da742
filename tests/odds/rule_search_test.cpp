// The search for charts of rules: it plays plain lines as the chart search does, an exception as
// the chart scorer does, and what it expects a step to gain is what the step gains.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

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
    // The king kept alone throws away the ten and the two of its suit: two flush penalties, and
    // the ranks kept are the king's alone.
    const std::array<CardId, 5> king = parse_deal("s13 s10 s2 d4 c6");
    const DiscardView alone = discard_view(jacks, profile, king, 0b00001);
    EXPECT_EQ(alone.kept, 1u << 11);
    EXPECT_EQ(alone.suited_discards, 2);
    DiscardCondition two_suited;
    two_suited.suited_discards = 2;
    two_suited.kept = 1u << 11;
    EXPECT_TRUE(condition_meets(two_suited, alone));
    two_suited.absent = 1u << 2;
    EXPECT_FALSE(condition_meets(two_suited, alone));
    two_suited.absent = 0;
    two_suited.suited_discards = 3;
    EXPECT_FALSE(condition_meets(two_suited, alone));
    // Ranks kept are asked as a subset of the natural cards kept.
    const DiscardView flush_draw =
        discard_view(jacks, profile, parse_deal("h1 h13 h10 h5 s9"), 0b01111);
    DiscardCondition ace_ten;
    ace_ten.kept = (1u << 12) | (1u << 8);
    EXPECT_TRUE(condition_meets(ace_ten, flush_draw));
    ace_ten.kept |= 1u << 10;
    EXPECT_FALSE(condition_meets(ace_ten, flush_draw));
}

TEST(RuleSearch, PlaysPlainLinesAsTheChartSearchDoes) {
    const JacksTable& j = jacks();
    const ChartLines lines = build_chart(j.table, 20);
    EXPECT_NEAR(rules_shortfall(j.table, j.game, plain_rules(lines)),
                chart_shortfall(j.table, lines), 1e-12);
}

// The chart file's lines as the search's rules: the search's shortfall must be the scorer's
// exact figure for the file. Gives the scorer's score.
ChartScore expect_search_plays_as_file(const std::string& text) {
    const JacksTable& j = jacks();
    const ChartWords words(j.game);
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
    return score;
}

TEST(RuleSearch, PlaysAnExceptionAsTheChartFileReadsIt) {
    expect_search_plays_as_file(
        "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
        "high pair, two pair, three of a kind, straight, flush or full house\n"
        "4 to a flush, when the discarded card is a 10\n"
        "3 to a royal flush\n"
        "4 to a flush\n"
        "low pair\n"
        "king alone, with a 9 discarded, flush penalty\n"
        "suited 10-K\n"
        "discard everything\n");
}

// Each kind of condition the search tries, each way round: a rank discarded, a rank as the one
// card discarded, the straight and high-card penalties seen and not seen, each beside a flush
// penalty or its absence. The search works out which conditions a hold meets all at once; the
// chart scorer asks each line's condition of the hold's own discards.
TEST(RuleSearch, PlaysEveryKindOfConditionAsTheChartFileReadsIt) {
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
    const ChartScore score = expect_search_plays_as_file(text);
    const Chart chart = read_chart(text, "e.chart", jacks().game);
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

// The shortest perfect chart the search found for the game, 39 rules.
const char* const kPerfectJacks =
    "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
    "three of a kind, straight, flush or full house\n"
    "4 to a straight flush, not a royal\n"
    "two pair\n"
    "high pair (jacks or better)\n"
    "4 to a flush, A-10 kept, high-card penalty\n"
    "4 to a flush, A-10 kept, with a 10 discarded\n"
    "3 to a royal flush\n"
    "4 to an outside straight, mixed suits, 3 high cards\n"
    "4 to a flush\n"
    "low pair\n"
    "4 to an outside straight, mixed suits\n"
    "3 to a straight flush, not a royal, at least as many high cards as gaps, not 2-3-4, A-2-3, "
    "A-2-4 or A-3-4\n"
    "4 to an inside straight, mixed suits, 4 high cards, with a 9 discarded\n"
    "suited J-Q, no flush penalty\n"
    "4 to an inside straight, mixed suits, 4 high cards\n"
    "2 to a royal flush, 2 high cards\n"
    "3 to a straight flush, not a royal, at least as many high cards as gaps\n"
    "3 to a straight flush, not a royal, 1 high card, no straight penalty\n"
    "4 to an inside straight, mixed suits, 3 high cards\n"
    "3 to a straight flush, not a royal, 1 gap, no high card\n"
    "3 to a straight flush, not a royal, 2 gaps, 1 high card\n"
    "unsuited J-Q-K\n"
    "unsuited J-Q\n"
    "unsuited Q-K\n"
    "suited 10-Q, no flush penalty\n"
    "suited 10-J, no flush penalty\n"
    "unsuited J-K\n"
    "suited 10-J, flush penalty\n"
    "2 cards, mixed suits, 2 high cards\n"
    "jack alone\n"
    "suited 10-Q\n"
    "queen alone\n"
    "ace alone\n"
    "king alone, with a 9 discarded, 2 or more of its suit discarded\n"
    "2 to a royal flush\n"
    "king alone\n"
    "3 to a straight flush, not a royal\n"
    "discard everything\n";

// Rules of a chart file's lines, as the search counts them.
ChartRules rules_of(const JacksTable& j, const std::string& text) {
    const ChartWords words(j.game);
    ChartRules rules;
    for (const ChartLine& line : read_chart(text, "e.chart", j.game).lines) {
        std::string lower = line.words;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        rules.push_back(ChartRule{
            id_of(j.table, words, line.condition.any() ? split_condition(lower)->pattern : lower),
            line.condition});
    }
    return rules;
}

// Finer exceptions than any line's pattern: what they expect to gain is what they gain, and one
// mends the deals of suited 10-K that the king alone plays better, which no line tells apart.
TEST(RuleSearch, FindsTheFineExceptionAPerfectChartNeeds) {
    const JacksTable& j = jacks();
    const ChartRules perfect = rules_of(j, kPerfectJacks);
    ASSERT_EQ(perfect.size(), 39u);
    EXPECT_LT(rules_shortfall(j.table, j.game, perfect), 1e-10);
    // The chart file, read and scored exactly, plays every deal as perfect play does.
    const ChartScore score =
        score_chart(j.tallies, read_chart(kPerfectJacks, "p.chart", j.game), 2);
    EXPECT_EQ(score.check.chart_pay, score.check.perfect_pay);
    ChartRules short_one = perfect;
    const auto king = std::find_if(short_one.begin(), short_one.end(), [](const ChartRule& r) {
        return r.condition.suited_discards != 0;
    });
    ASSERT_NE(king, short_one.end());
    const ChartRule missing = *king;
    short_one.erase(king);
    RuleSearch search(j.table, j.game, j.any);
    search.set(short_one);
    search.evaluate();
    const double lost = search.shortfall();
    EXPECT_GT(lost, 1e-8);
    const rule_search::Insert fine = search.best_fine_insert();
    ASSERT_NE(fine.slot, kNone);
    EXPECT_TRUE(fine.rule.condition.any());
    EXPECT_NEAR(fine.gain, lost, 1e-12);
    search.insert(fine);
    search.evaluate();
    EXPECT_LT(search.shortfall(), 1e-10);
    // It asks what the chart's own rule asks, or as much, on the king alone.
    EXPECT_EQ(fine.rule.pattern, missing.pattern);
}

}  // namespace
}  // namespace quillon::odds

// Charts scored from the table they were generated from score exactly as charts scored by
// classifying every hold of every deal: the same returns, shares, misses and examples, in
// games whose ties between holds the tie rule settles and in games with words left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/search/chart_builder.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

// Every 60th deal class of the game.
std::vector<DealClass> sample_deals(const Game& game) {
    const std::vector<DealClass> all = deal_classes(game.jokers());
    std::vector<DealClass> out;
    for (std::size_t d = 0; d < all.size(); d += 60) {
        out.push_back(all[d]);
    }
    return out;
}

void expect_same_score(const ChartScore& fast, const ChartScore& slow, const std::string& what) {
    EXPECT_EQ(fast.check.chart_pay, slow.check.chart_pay) << what;
    EXPECT_EQ(fast.check.perfect_pay, slow.check.perfect_pay) << what;
    EXPECT_EQ(fast.check.total, slow.check.total) << what;
    EXPECT_EQ(fast.deal_classes, slow.deal_classes) << what;
    EXPECT_EQ(fast.unmatched, slow.unmatched) << what;
    EXPECT_EQ(fast.share, slow.share) << what;
    ASSERT_EQ(fast.check.worst.size(), slow.check.worst.size()) << what;
    for (std::size_t i = 0; i < slow.check.worst.size(); ++i) {
        const ChartMiss& a = fast.check.worst[i];
        const ChartMiss& b = slow.check.worst[i];
        EXPECT_EQ(a.cards, b.cards) << what << " miss " << i;
        EXPECT_EQ(a.line, b.line) << what << " miss " << i;
        EXPECT_EQ(a.chart_hold, b.chart_hold) << what << " miss " << i;
        EXPECT_EQ(a.best_hold, b.best_hold) << what << " miss " << i;
        EXPECT_EQ(a.cost, b.cost) << what << " miss " << i;
    }
    ASSERT_EQ(fast.examples.size(), slow.examples.size()) << what;
    for (std::size_t i = 0; i < slow.examples.size(); ++i) {
        EXPECT_EQ(fast.examples[i].cards, slow.examples[i].cards) << what << " line " << i;
        EXPECT_EQ(fast.examples[i].hold, slow.examples[i].hold) << what << " line " << i;
        EXPECT_EQ(fast.examples[i].found, slow.examples[i].found) << what << " line " << i;
    }
}

// The table of the sampled deals, the patterns whose words another has too left out.
DealPatterns sample_table(const Tallies& tallies, const RankProfile& profile,
                          const PatternWords& words) {
    return deal_patterns(tallies, profile, sample_deals(tallies.game()), 2, &words.shadowed);
}

class ChartScoreFromTable : public ::testing::TestWithParam<std::string> {};

TEST_P(ChartScoreFromTable, ScoresAsClassifyingEveryHold) {
    const Tallies& tallies = shared_tallies(GetParam());
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    const DealPatterns table = sample_table(tallies, profile, words);
    std::vector<std::vector<PatternKey>> charts;
    for (const std::size_t length : {14u, 4u}) {
        std::vector<PatternKey>& keys = charts.emplace_back();
        for (const std::uint32_t p : build_chart(table, length)) {
            keys.push_back(table.keys[p]);
        }
    }
    // A line written twice decides only where it first comes; the chart closes without
    // "discard everything", so some deals no line matches.
    std::vector<PatternKey> twice = charts[1];
    twice.insert(twice.begin(), twice[1]);
    twice.pop_back();
    charts.push_back(twice);
    // The long chart upside down: coarse lines come first, so that a line fits several holds of
    // many deals and the tie rule picks among them.
    std::vector<PatternKey> reversed(charts[0].rbegin(), charts[0].rend());
    charts.push_back(reversed);
    const std::vector<ChartScore> fast = score_charts(tallies, charts, table, 2);
    const std::vector<ChartScore> slow = score_charts(tallies, charts, table.deals, 2);
    ASSERT_EQ(fast.size(), charts.size());
    for (std::size_t c = 0; c < charts.size(); ++c) {
        expect_same_score(fast[c], slow[c], GetParam() + " chart " + std::to_string(c));
    }
    EXPECT_GT(fast[2].unmatched, 0u);
}

// A line the table does not know (a word left out of it, or a shape no deal shows) cannot be
// read from it: such charts are classified hold by hold, and still score as they should.
TEST_P(ChartScoreFromTable, ALineTheTableLacksIsClassifiedAfterAll) {
    const Tallies& tallies = shared_tallies(GetParam());
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    const DealPatterns table = sample_table(tallies, profile, words);
    std::vector<PatternKey> keys;
    for (const std::uint32_t p : build_chart(table, 8)) {
        keys.push_back(table.keys[p]);
    }
    const PatternKey unknown = words.shadowed.empty() ? any_paying_hand() ^ (PatternKey{1} << 63)
                                                      : *words.shadowed.begin();
    keys.insert(keys.begin(), unknown);
    const std::vector<std::vector<PatternKey>> charts{keys};
    expect_same_score(score_charts(tallies, charts, table, 2).front(),
                      score_charts(tallies, charts, table.deals, 2).front(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Games, ChartScoreFromTable,
                         ::testing::Values("quillon", "deuces-and-joker-wild",
                                           "jacks-or-better-9-6"),
                         [](const auto& row) {
                             std::string name = row.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace quillon::odds

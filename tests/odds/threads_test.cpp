// The engine's whole-game work comes out the same, to the last bit, on any number of threads, and
// gives up at once when the caller calls it off.
#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <vector>

#include "base/stop.h"
#include "base/threads.h"
#include "odds/play/game_return.h"
#include "odds/play/suit_classes.h"
#include "odds/play/ultimate_x.h"
#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/search/chart_builder.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

// Every 40th deal class of the game: enough for several blocks of deals on every thread.
std::vector<DealClass> some_deals(const Game& game) {
    const std::vector<DealClass> all = deal_classes(game.jokers());
    std::vector<DealClass> out;
    for (std::size_t d = 0; d < all.size(); d += 40) {
        out.push_back(all[d]);
    }
    return out;
}

TEST(Threads, TheMachineSaysHowManyAtLeastOne) {
    EXPECT_GE(default_threads(), 1u);
    EXPECT_EQ(default_threads(), default_threads());
}

TEST(Threads, TheReturnIsTheSameOnAnyNumber) {
    const Tallies& tallies = shared_tallies("jacks-or-better-8-6");
    const GameReturn one = game_return(tallies, 1);
    for (const unsigned threads : {3u}) {
        const GameReturn many = game_return(tallies, threads);
        EXPECT_EQ(many.counts, one.counts) << threads;
        EXPECT_EQ(many.total, one.total) << threads;
    }
}

TEST(Threads, AChartsTableSearchAndScoreAreTheSameOnAnyNumber) {
    const Tallies& tallies = shared_tallies("deuces-wild-full-pay");
    const Game& game = tallies.game();
    const std::vector<DealClass> deals = some_deals(game);
    const RankProfile profile = rank_profile(game);
    const DealPatterns one = deal_patterns(tallies, profile, deals, 1);
    const ChartLines lines = build_chart(one, 12);
    std::vector<PatternKey> keys;
    for (const std::uint32_t p : lines) {
        keys.push_back(one.keys[p]);
    }
    const ChartScore score = score_chart(tallies, keys, deals, 1);
    for (const unsigned threads : {2u, 4u}) {
        const DealPatterns many = deal_patterns(tallies, profile, deals, threads);
        EXPECT_EQ(many.keys, one.keys) << threads;
        EXPECT_EQ(many.entry_pattern, one.entry_pattern) << threads;
        EXPECT_EQ(many.hold_pays, one.hold_pays) << threads;
        EXPECT_EQ(many.perfect, one.perfect) << threads;
        EXPECT_EQ(build_chart(many, 12), lines) << threads;
        const ChartScore again = score_chart(tallies, keys, deals, threads);
        EXPECT_EQ(again.check.chart_pay, score.check.chart_pay) << threads;
        EXPECT_EQ(again.share, score.share) << threads;
        ASSERT_EQ(again.check.worst.size(), score.check.worst.size()) << threads;
        for (std::size_t i = 0; i < score.check.worst.size(); ++i) {
            EXPECT_EQ(again.check.worst[i].cards, score.check.worst[i].cards) << threads;
            EXPECT_EQ(again.check.worst[i].cost, score.check.worst[i].cost) << threads;
        }
        for (std::size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(again.examples[i].cards, score.examples[i].cards) << threads;
        }
    }
}

// Charts scored together, shared out over threads, score each as it scores alone: one chart's
// lines, misses and examples never reach another's.
TEST(Threads, ChartsScoredTogetherScoreAsAlone) {
    const Tallies& tallies = shared_tallies("deuces-wild-full-pay");
    const Game& game = tallies.game();
    const std::vector<DealClass> deals = some_deals(game);
    const DealPatterns patterns = deal_patterns(tallies, rank_profile(game), deals, 1);
    std::vector<std::vector<PatternKey>> charts;
    for (const std::size_t length : {12u, 3u}) {
        std::vector<PatternKey>& keys = charts.emplace_back();
        for (const std::uint32_t p : build_chart(patterns, length)) {
            keys.push_back(patterns.keys[p]);
        }
    }
    charts.push_back({discard_everything()});
    const std::vector<ChartScore> together = score_charts(tallies, charts, deals, 3);
    ASSERT_EQ(together.size(), charts.size());
    for (std::size_t c = 0; c < charts.size(); ++c) {
        const ChartScore alone = score_chart(tallies, charts[c], deals, 1);
        const ChartScore& score = together[c];
        EXPECT_EQ(score.check.chart_pay, alone.check.chart_pay) << c;
        EXPECT_EQ(score.check.perfect_pay, alone.check.perfect_pay) << c;
        EXPECT_EQ(score.unmatched, alone.unmatched) << c;
        EXPECT_EQ(score.share, alone.share) << c;
        ASSERT_EQ(score.check.worst.size(), alone.check.worst.size()) << c;
        for (std::size_t i = 0; i < alone.check.worst.size(); ++i) {
            EXPECT_EQ(score.check.worst[i].cards, alone.check.worst[i].cards) << c;
            EXPECT_EQ(score.check.worst[i].line, alone.check.worst[i].line) << c;
        }
        ASSERT_EQ(score.examples.size(), charts[c].size()) << c;
        for (std::size_t i = 0; i < charts[c].size(); ++i) {
            EXPECT_EQ(score.examples[i].cards, alone.examples[i].cards) << c;
            EXPECT_EQ(score.examples[i].hold, alone.examples[i].hold) << c;
        }
    }
    EXPECT_NE(together[0].check.chart_pay, together[2].check.chart_pay);
}

// Work asked to stop before it starts gives up at its first look, on the caller's thread and on
// those it starts; once the scope ends, the same work runs to its end.
TEST(Stopping, CalledOffWorkGivesUpAtOnce) {
    const Tallies& tallies = shared_tallies("jacks-or-better-8-6");
    const Game& game = tallies.game();
    std::stop_source source;
    source.request_stop();
    const auto start = std::chrono::steady_clock::now();
    {
        const StopScope scope(source.get_token());
        EXPECT_THROW(game_return(tallies, 2), Stopped);
        EXPECT_THROW(deal_patterns(tallies, rank_profile(game), some_deals(game), 2), Stopped);
        EXPECT_THROW(score_chart(tallies, {discard_everything()}, some_deals(game), 2), Stopped);
        EXPECT_THROW(make_strategy_chart(tallies, 0, "jacks-or-better-8-6", 2), Stopped);
        EXPECT_THROW(solve_ultimate_x(tallies, *game.multipliers_for(1), 2), Stopped);
    }
    // The sanitizers make each first look some ten times slower.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
#else
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
#endif
    EXPECT_FALSE(current_stop().stop_possible());
    EXPECT_NO_THROW(stop_point());
    EXPECT_EQ(deal_patterns(tallies, rank_profile(game), some_deals(game), 2).deal_count(),
              some_deals(game).size());
}

// Scopes nest: the inner token holds while it lives, then the outer one again.
TEST(Stopping, ScopesNest) {
    std::stop_source outer;
    std::stop_source inner;
    const StopScope a(outer.get_token());
    {
        const StopScope b(inner.get_token());
        inner.request_stop();
        EXPECT_THROW(stop_point(), Stopped);
    }
    EXPECT_NO_THROW(stop_point());
    outer.request_stop();
    EXPECT_THROW(stop_point(), Stopped);
}

}  // namespace
}  // namespace quillon::odds

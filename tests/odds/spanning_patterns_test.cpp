// The lines that span families in games without wild cards: a dealt hand kept whole is one hold
// of its deal, its paying cards (a four of a kind's kicker where it pays), and a short chart
// built of such lines plays Jacks or Better as well as published short charts.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/strategy_chart.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

class DealtHandLines : public ::testing::TestWithParam<std::string_view> {};

// No deal has two holds of a line of dealt hands: the tie rule never has to choose among them.
TEST_P(DealtHandLines, ShowInOneHoldOfADealAtMost) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game game = find_game(GetParam()).value();
    const RankProfile profile = rank_profile(game);
    const std::vector<DealClass> deals = deal_classes(false);
    std::size_t shown = 0;
    // Every fifth class keeps the test fast; the classes run through every kind of hand.
    for (std::size_t d = 0; d < deals.size(); d += 5) {
        const std::array<CardId, 5> cards = class_cards(deals[d], false);
        std::map<PatternKey, int> holds;
        for (unsigned m = 0; m < kHoldCount; ++m) {
            for (const PatternKey key :
                 patterns_of(game, profile, cards, static_cast<HoldMask>(m))) {
                holds[key] += keeps_dealt_hand(key) ? 1 : 0;
            }
        }
        for (const auto& [key, count] : holds) {
            EXPECT_LE(count, 1) << pattern_text(key, game, profile) << " in " << cards[0].text()
                                << " " << cards[1].text() << " " << cards[2].text() << " "
                                << cards[3].text() << " " << cards[4].text();
            shown += count > 0 ? 1 : 0;
        }
    }
    EXPECT_GT(shown, deals.size() / 15);
}

INSTANTIATE_TEST_SUITE_P(Games, DealtHandLines,
                         ::testing::Values("jacks-or-better-9-6", "double-double-bonus-9-6"),
                         [](const auto& row) {
                             std::string name(row.param);
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

struct Kept {
    std::string game;
    std::string line;
    std::string deal;
    std::string hold;
};

class OneLineChart : public ::testing::TestWithParam<Kept> {};

// The hold a chart of the one line keeps (before "discard everything"), found the slow way a
// player would.
TEST_P(OneLineChart, KeepsThePayingCardsOfTheDeal) {
    const Kept& kept = GetParam();
    const Game game = find_game(kept.game).value();
    const Chart chart = read_chart(kept.line + "\ndiscard everything\n", "one.chart", game);
    const std::array<CardId, 5> deal = parse_deal(kept.deal);
    const ChartPick pick = chart_hold(game, chart.keys(), deal);
    std::string hold;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((pick.mask >> i & 1u) != 0) {
            hold += (hold.empty() ? "" : " ") + deal[i].text();
        }
    }
    EXPECT_EQ(hold, kept.hold) << kept.line << " on " << kept.deal;
}

INSTANTIATE_TEST_SUITE_P(
    Deals, OneLineChart,
    ::testing::Values(
        // Four aces keep a 2-4 kicker, which pays, and drop a king, which does not.
        Kept{"double-double-bonus-9-6",
             "royal flush, straight flush or four of a kind (with its kicker where the kicker "
             "pays)",
             "s1 d1 c1 h1 s3", "s1 d1 c1 h1 s3"},
        Kept{"double-double-bonus-9-6",
             "royal flush, straight flush or four of a kind (with its kicker where the kicker "
             "pays)",
             "s1 d1 c1 h1 s13", "s1 d1 c1 h1"},
        // A dealt straight flush is kept whole, not broken for the four to a royal in it.
        Kept{"jacks-or-better-9-6",
             "royal flush, straight flush, four of a kind or 4 to a royal flush",
             "h9 h10 h11 h12 h13", "h9 h10 h11 h12 h13"},
        Kept{"jacks-or-better-9-6",
             "royal flush, straight flush, four of a kind or 4 to a royal flush",
             "h10 h11 h12 h13 s10", "h10 h11 h12 h13"},
        // A full house is kept whole; three of a kind and two pair drop their odd cards.
        Kept{"jacks-or-better-9-6", "three of a kind, straight, flush or full house",
             "s7 d7 c7 h9 s9", "s7 d7 c7 h9 s9"},
        Kept{"jacks-or-better-9-6",
             "high pair, two pair, three of a kind, straight, flush or full house",
             "s11 d11 c11 h5 s8", "s11 d11 c11"},
        Kept{"jacks-or-better-9-6", "two pair, three of a kind, straight, flush or full house",
             "s7 d7 c9 h9 s12", "s7 d7 c9 h9"},
        // A low pair pays nothing and is not a dealt paying hand.
        Kept{"jacks-or-better-9-6",
             "high pair, two pair, three of a kind, straight, flush or full house",
             "s7 d7 c9 h3 s12", ""}),
    [](const auto& row) { return "deal" + std::to_string(row.index); });

// The lines that span families let 15 lines play Jacks or Better 9/6 within 0.06 points of
// perfect play, better than a published 16-line chart (0.08).
TEST(ShortChart, PlaysJacksOrBetterWithinSixHundredthsOfAPoint) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-9-6");
    const ChartReport report = make_strategy_chart(tallies, 15, "jacks-or-better-9-6");
    EXPECT_LE(report.chart.lines.size(), 15u);
    const double cost = report.score.check.perfect_return() - report.score.check.chart_return();
    EXPECT_LT(cost, 0.0006) << "the 15-line chart costs " << cost * 100 << " points";
}

}  // namespace
}  // namespace quillon::odds

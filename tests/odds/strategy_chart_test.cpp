// Strategy charts: the hold a chart picks, its exact return against a slow deal-by-deal check,
// and the well-known plays of Jacks or Better 9/6.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "base/combinatorics.h"
#include "base/wide.h"
#include "odds/play/game_return.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/strategy_chart.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct BuiltChart {
    DealPatterns table;
    ChartLines lines;
    std::vector<PatternKey> keys;
};

// A game's chart at a number of lines, built once per test program.
const BuiltChart& chart_of(const std::string& game, std::size_t max_lines) {
    static std::mutex lock;
    static std::map<std::pair<std::string, std::size_t>, std::unique_ptr<BuiltChart>> built;
    const std::scoped_lock hold(lock);
    std::unique_ptr<BuiltChart>& chart = built[{game, max_lines}];
    if (!chart) {
        const Tallies& tallies = shared_tallies(game);
        chart = std::make_unique<BuiltChart>();
        chart->table = deal_patterns(tallies, rank_profile(tallies.game()),
                                     deal_classes(tallies.game().jokers()));
        chart->lines = build_chart(chart->table, max_lines);
        for (const std::uint32_t id : chart->lines) {
            chart->keys.push_back(chart->table.keys[id]);
        }
    }
    return *chart;
}

bool shows(const HoldPatterns& patterns, PatternKey key) {
    return std::find(patterns.begin(), patterns.end(), key) != patterns.end();
}

// Every deal of the game that holds two given cards, each weighing one.
std::vector<DealClass> deals_with(const Game& game, CardId a, CardId b) {
    const bool joker = game.has_joker();
    const int ia = deck_index(a, joker);
    const int ib = deck_index(b, joker);
    std::vector<DealClass> deals;
    std::array<int, 3> rest{0, 1, 2};
    do {
        bool clash = false;
        for (const int r : rest) {
            clash = clash || r == ia || r == ib;
        }
        if (clash) {
            continue;
        }
        std::array<int, 5> cards = {ia, ib, rest[0], rest[1], rest[2]};
        std::sort(cards.begin(), cards.end());
        deals.push_back(DealClass{cards, 1});
    } while (next_subset(rest, game.deck_size()));
    return deals;
}

struct SmallGame {
    std::string game;
    std::string first;
    std::string second;
};

class ChartOverEveryDeal : public ::testing::TestWithParam<SmallGame> {};

// The program's exact check of a chart, from its table of patterns, against a slow check that
// finds each deal's hold line by line as a player would and values it on its own.
TEST_P(ChartOverEveryDeal, ReturnsWhatASlowDealByDealCheckFinds) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies(GetParam().game);
    const Game& game = tallies.game();
    const BuiltChart& chart = chart_of(GetParam().game, 30);
    const std::vector<DealClass> deals = deals_with(game, CardId::parse(GetParam().first).value(),
                                                    CardId::parse(GetParam().second).value());
    const RankProfile profile = rank_profile(game);
    const DealPatterns table = deal_patterns(tallies, profile, deals);
    std::vector<std::uint32_t> lines;
    for (const PatternKey key : chart.keys) {
        const auto it = std::find(table.keys.begin(), table.keys.end(), key);
        if (it != table.keys.end()) {
            lines.push_back(static_cast<std::uint32_t>(it - table.keys.begin()));
        }
    }
    const ChartCheck fast = check_chart(tallies, table, lines);

    const int left = game.deck_size() - 5;
    const std::uint64_t lcm = draw_lcm(left);
    Wide slow = 0;
    Wide best = 0;
    for (const DealClass& d : deals) {
        const std::array<CardId, 5> cards = class_cards(d, game.has_joker());
        const ChartPick pick = chart_hold(game, chart.keys, cards);
        // The hold shows the line that picked it, and no hold of the deal shows a line above.
        std::array<HoldPatterns, kHoldCount> shown{};
        for (unsigned m = 0; m < kHoldCount; ++m) {
            shown[m] = patterns_of(game, profile, cards, static_cast<HoldMask>(m));
        }
        ASSERT_TRUE(shows(shown[pick.mask], chart.keys[pick.line]));
        for (std::size_t earlier = 0; earlier < pick.line; ++earlier) {
            for (const HoldPatterns& p : shown) {
                ASSERT_FALSE(shows(p, chart.keys[earlier]));
            }
        }
        const auto holds = analyze_deal(tallies, cards);
        const HoldOutcome& h = holds[pick.mask];
        slow += static_cast<Wide>(h.pay_total) * (lcm / static_cast<std::uint64_t>(h.draws));
        const HoldOutcome top = holds_best_first(holds, cards).front();
        best += static_cast<Wide>(top.pay_total) * (lcm / static_cast<std::uint64_t>(top.draws));
    }
    EXPECT_EQ(fast.chart_pay, static_cast<std::uint64_t>(slow));
    EXPECT_EQ(fast.perfect_pay, static_cast<std::uint64_t>(best));
    EXPECT_EQ(fast.total, deals.size() * lcm);
    EXPECT_LE(fast.chart_pay, fast.perfect_pay);
}

INSTANTIATE_TEST_SUITE_P(Games, ChartOverEveryDeal,
                         ::testing::Values(SmallGame{"jacks-or-better-9-6", "s1", "s13"},
                                           SmallGame{"quillon", "joker", "h10"},
                                           SmallGame{"deuces-wild-full-pay", "c2", "d9"}),
                         [](const auto& row) {
                             std::string name = row.param.game + "_" + row.param.first;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// Over the whole game perfect play comes out as the engine's own return, and the chart never
// beats it.
TEST(StrategyChart, PerfectPlayIsTheGamesReturnAndIsNeverBeaten) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-9-6");
    const BuiltChart& chart = chart_of("jacks-or-better-9-6", 30);
    const ChartCheck check = check_chart(tallies, chart.table, chart.lines);
    const GameReturn perfect = game_return(tallies);
    EXPECT_EQ(check.perfect_pay, perfect.pay_total());
    EXPECT_EQ(check.total, perfect.total);
    EXPECT_LE(check.chart_pay, check.perfect_pay);
    EXPECT_EQ(chart.keys.back(), discard_everything());
    EXPECT_LE(chart.lines.size(), 30u);
    ASSERT_EQ(check.worst.size(), 5u);
    for (const ChartMiss& miss : check.worst) {
        EXPECT_GT(miss.best_value, miss.chart_value);
        EXPECT_GE(check.worst.front().cost, miss.cost);
    }
}

struct KnownPlay {
    std::string deal;
    std::string hold;
    std::string why;
};

class JacksOrBetterChart : public ::testing::TestWithParam<KnownPlay> {};

// Plays every Jacks or Better 9/6 player learns, several against intuition; the 40-line chart
// makes each, and each is perfect play.
TEST_P(JacksOrBetterChart, MakesTheKnownPlay) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-9-6");
    const BuiltChart& chart = chart_of("jacks-or-better-9-6", 40);
    const std::array<CardId, 5> deal = parse_deal(GetParam().deal);
    const ChartPick pick = chart_hold(tallies.game(), chart.keys, deal);
    std::string held;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((pick.mask >> i & 1u) != 0) {
            held += (held.empty() ? "" : " ") + deal[i].text();
        }
    }
    EXPECT_EQ(held, GetParam().hold) << GetParam().why;
    const auto holds = analyze_deal(tallies, deal);
    EXPECT_FALSE(pays_more(holds_best_first(holds, deal).front(), holds[pick.mask]));
}

INSTANTIATE_TEST_SUITE_P(
    Plays, JacksOrBetterChart,
    ::testing::Values(
        KnownPlay{"s5 d6 c7 h8 s8", "h8 s8", "a low pair over 4 to an outside straight"},
        KnownPlay{"h11 h12 h13 s13 d3", "h13 s13", "a high pair over 3 to a royal"},
        KnownPlay{"h11 h12 s13 d4 c7", "h11 h12", "suited J-Q over unsuited J-Q-K"},
        KnownPlay{"h10 h11 h12 h13 h3", "h10 h11 h12 h13", "4 to a royal over a made flush"},
        KnownPlay{"h12 h13 s12 d5 c9", "h12 s12", "a high pair over suited Q-K"},
        KnownPlay{"s2 d7 c9 h4 s6", "", "nothing worth keeping"},
        KnownPlay{"s13 d13 c13 h13 s2", "s13 d13 c13 h13", "four of a kind"}),
    [](const auto& row) { return "play" + std::to_string(row.index); });

}  // namespace
}  // namespace quillon::odds

namespace quillon::odds {
namespace {

struct ShortChart {
    std::string game;
    std::size_t lines;
    // Whether the chart is checked to keep to the length asked.
    bool keeps_length = false;
};

class ChartsOfAnyLength : public ::testing::TestWithParam<ShortChart> {};

// However short the chart, a pat hand that is the deal's best hold, better than any hold of part
// of it, is kept; no line keeps a card that lowers its hold on every deal it decides; and the
// joker games' charts keep to the length asked.
TEST_P(ChartsOfAnyLength, NeverBreakAPatHandNorKeepACardThatOnlyCosts) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies(GetParam().game);
    const Game& game = tallies.game();
    const BuiltChart& chart = chart_of(GetParam().game, GetParam().lines);
    if (GetParam().keeps_length) {
        EXPECT_LE(chart.lines.size(), GetParam().lines);
    }
    const std::vector<std::uint32_t> choice = chart_choices(chart.table, chart.lines);
    const int left = game.deck_size() - 5;
    const auto value = [&](const HoldValues& v, HoldMask m) {
        return static_cast<double>(v[m]) / static_cast<double>(choose(left, 5 - kHoldSize[m]));
    };
    std::map<PatternKey, bool> always_worse;
    const RankProfile profile = rank_profile(game);
    HoldValues values;
    for (std::size_t d = 0; d < chart.table.deal_count(); ++d) {
        const DealClass& deal = chart.table.deals[d];
        const SortedDeal sorted(deal.cards);
        value_holds(tallies, sorted, values);
        const HoldMask mine = chart.table.mask(d, choice[d]);
        const HoldMask best = best_hold(tallies, sorted, values);
        const std::array<CardId, 5> cards = class_cards(deal, game.has_joker());
        if (value(values, mine) < value(values, best) &&
            is_pat_pattern(*patterns_of(game, profile, cards, best).begin())) {
            bool part_as_good = false;
            for (unsigned m = 0; m < kHoldCount; ++m) {
                part_as_good = part_as_good ||
                               (m != best && (m & ~best) == 0u &&
                                value(values, static_cast<HoldMask>(m)) >= value(values, best));
            }
            EXPECT_TRUE(part_as_good)
                << "a pat hand broken: " << cards[0].text() << " " << cards[1].text() << " "
                << cards[2].text() << " " << cards[3].text() << " " << cards[4].text();
        }
        bool worse = false;
        for (std::size_t i = 0; i < 5; ++i) {
            const auto less = static_cast<HoldMask>(mine & ~(1u << i));
            worse = worse || (less != mine && value(values, less) > value(values, mine));
        }
        const PatternKey line = chart.table.keys[chart.table.pattern(choice[d])];
        const auto [it, fresh] = always_worse.try_emplace(line, worse);
        it->second = it->second && worse;
    }
    for (const auto& [line, worse] : always_worse) {
        EXPECT_FALSE(worse) << "a line keeps a card that only costs: "
                            << pattern_text(line, game, rank_profile(game));
    }
}

INSTANTIATE_TEST_SUITE_P(Games, ChartsOfAnyLength,
                         ::testing::Values(ShortChart{"deuces-wild-full-pay", 15},
                                           ShortChart{"double-double-bonus-9-6", 15},
                                           ShortChart{"double-double-bonus-9-6", 40},
                                           ShortChart{"jacks-or-better-9-6", 15},
                                           ShortChart{"joker-kings-20-7-5", 20, true},
                                           ShortChart{"quillon", 15, true}),
                         [](const auto& row) {
                             std::string name = row.param.game;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" + std::to_string(row.param.lines);
                         });

class ChartLineMerges : public ::testing::TestWithParam<ShortChart> {};

// No line stands where a coarser line of the same chart could take its place for nothing: the
// finer line dropped and the coarser one moved up to its slot (where it was below) returns less,
// or the chart wastes a line ("full house" above "two pair" and "full house or better" below).
TEST_P(ChartLineMerges, KeepNoLineACoarserLineCouldStandFor) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game& game = shared_tallies(GetParam().game).game();
    const RankProfile profile = rank_profile(game);
    const BuiltChart& chart = chart_of(GetParam().game, GetParam().lines);
    const DealPatterns& table = chart.table;
    const double full = chart_return(table, chart.lines);
    for (std::size_t fine = 0; fine < chart.lines.size(); ++fine) {
        const std::vector<std::uint32_t>& parents = table.parents[chart.lines[fine]];
        for (std::size_t coarse = 0; coarse < chart.lines.size(); ++coarse) {
            if (std::find(parents.begin(), parents.end(), chart.lines[coarse]) == parents.end()) {
                continue;
            }
            // The coarser line in the finer one's slot if that is higher, else where it is.
            ChartLines merged = chart.lines;
            merged[fine] = chart.lines[coarse];
            merged.erase(merged.begin() + static_cast<std::ptrdiff_t>(std::max(coarse, fine)));
            EXPECT_LT(chart_return(table, merged), full - 1e-12)
                << pattern_text(table.keys[chart.lines[fine]], game, profile) << " beside "
                << pattern_text(table.keys[chart.lines[coarse]], game, profile);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Games, ChartLineMerges,
                         ::testing::Values(ShortChart{"joker-kings-20-7-5", 40},
                                           ShortChart{"jacks-or-better-9-6", 15}),
                         [](const auto& row) {
                             std::string name = row.param.game;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name + "_" + std::to_string(row.param.lines);
                         });

// A-A-A-A-K in Double Double Bonus keeps the four aces (221 per 5 coins against 160 for all
// five); A-A-A-A-2 keeps all five for the kicker's 400 per coin.
TEST(DoubleDoubleBonusChart, KeepsFourAcesAndTheirKickerOnlyWhereItPays) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game& game = shared_tallies("double-double-bonus-9-6").game();
    for (const std::size_t lines : {15u, 40u}) {
        const BuiltChart& chart = chart_of("double-double-bonus-9-6", lines);
        const std::array<CardId, 5> kings = parse_deal("s1 d1 c1 h1 s13");
        EXPECT_EQ(chart_hold(game, chart.keys, kings).mask, 0b01111) << lines << " lines";
        const std::array<CardId, 5> deuce = parse_deal("s1 d1 c1 h1 s2");
        EXPECT_EQ(chart_hold(game, chart.keys, deuce).mask, 0b11111) << lines << " lines";
    }
}

}  // namespace
}  // namespace quillon::odds

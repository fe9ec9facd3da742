// The check of a chart's order finds a made hand kept above a draw that beats it on every deal
// they meet, and a pat hand kept where another hold beats it on every deal of its kind; the
// planner's mend takes them out where the chart can afford it. Over the deal classes that matter
// to each case, so that the tables take a fraction of a second.
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/search/chart_planner.h"
#include "tests/odds/order_faults_support.h"

namespace quillon::odds {
namespace {

using chart_search::Planner;
using chart_search::PlannerState;

// The game's deal classes that `keep` picks, with the patterns the command line leaves out.
DealPatterns table_of(const std::string& game,
                      const std::function<bool(const std::array<CardId, 5>&)>& keep) {
    const Tallies& tallies = shared_tallies(game);
    const RankProfile profile = rank_profile(tallies.game());
    const PatternWords words = pattern_words(tallies.game(), profile);
    std::vector<DealClass> deals;
    for (const DealClass& deal : deal_classes(tallies.game().jokers())) {
        if (keep(class_cards(deal, tallies.game().has_joker()))) {
            deals.push_back(deal);
        }
    }
    return deal_patterns(tallies, profile, std::move(deals), 1, &words.shadowed);
}

// Four or five cards of one suit, or of four ranks that fit a straight: every deal with a draw
// of four cards to a flush or a straight, so that every meeting of such a draw with a made
// hand is the whole game's.
bool four_to_a_draw(const std::array<CardId, 5>& cards) {
    std::array<int, 5> suits{};
    unsigned ranks = 0;
    for (const CardId c : cards) {
        ++suits[static_cast<std::size_t>(c.suit())];
        ranks |= 1u << c.rank() | (c.rank() == 1 ? 1u << 14 : 0u);
    }
    bool straight = false;
    for (int low = 1; low <= 10; ++low) {
        straight = straight || std::popcount(ranks >> low & 0x1fu) >= 4;
    }
    return straight || *std::max_element(suits.begin(), suits.end()) >= 4;
}

// Three cards of one rank or more.
bool three_alike(const std::array<CardId, 5>& cards) {
    std::array<int, 14> ranks{};
    for (const CardId c : cards) {
        ++ranks[static_cast<std::size_t>(c.rank())];
    }
    return *std::max_element(ranks.begin(), ranks.end()) >= 3;
}

// A chart's lines as the table's patterns; a line no deal of the table shows is left out, as it
// decides none of them.
ChartLines lines_of(const std::string& text, const DealPatterns& table, const Game& game) {
    std::unordered_map<PatternKey, std::uint32_t> id;
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        id.emplace(table.keys[p], p);
    }
    ChartLines lines;
    for (const PatternKey key : read_chart(text, "test.chart", game).keys()) {
        if (const auto it = id.find(key); it != id.end()) {
            lines.push_back(it->second);
        }
    }
    return lines;
}

std::string words(const DealPatterns& table, const Game& game, std::uint32_t p) {
    return chart_of_keys({table.keys[p]}, game).lines.front().words;
}

std::string all_text(const std::vector<OrderFault>& faults, const DealPatterns& table,
                     const Game& game) {
    std::string text;
    for (const OrderFault& f : faults) {
        text += "\n  " + fault_text(f, table, game);
    }
    return text;
}

// The recorded 15-line chart of Jacks or Better 9/6 puts its line of dealt hands, high pairs in
// it, above four to a straight flush.
constexpr const char* kJacksChart =
    "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
    "high pair, two pair, three of a kind, straight, flush or full house\n"
    "4 to a straight flush, not a royal\n"
    "3 to a royal flush\n"
    "4 to a flush\n"
    "low pair\n"
    "4 to an outside straight\n"
    "2 to a royal flush, 2 high cards\n"
    "a high card alone\n"
    "discard everything\n";
// The same with the line split around the draw: the high pair comes below it.
std::string jacks_split() {
    const std::string made =
        "high pair, two pair, three of a kind, straight, flush or full house\n";
    const std::string draw = "4 to a straight flush, not a royal\n";
    std::string text = kJacksChart;
    text.replace(text.find(made + draw), made.size() + draw.size(),
                 "two pair, three of a kind, straight, flush or full house\n" + draw +
                     "high pair (jacks or better)\n");
    return text;
}

TEST(OrderFaults, HighPairAboveFourToAStraightFlush) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const DealPatterns table = table_of("jacks-or-better-9-6", four_to_a_draw);
    const std::vector<OrderFault> faults = order_faults(table, lines_of(kJacksChart, table, game));
    ASSERT_EQ(faults.size(), 1u) << all_text(faults, table, game);
    const OrderFault& f = faults.front();
    EXPECT_EQ(f.what, FaultKind::order);
    EXPECT_EQ(f.made_line, 2u);
    EXPECT_EQ(f.better_line, 3u);
    EXPECT_EQ(words(table, game, f.kind), "high pair (jacks or better)");
    EXPECT_EQ(words(table, game, f.better), "4 to a straight flush, not a royal");
    // Each high pair beside four to a straight flush, but those whose pair card fills it, as
    // 9-J-Q-K with a second king: 264 deals of the whole game, all of four suited cards.
    EXPECT_EQ(f.deals, 264u);
    EXPECT_EQ(held_cards(class_cards(table.deals[f.example], false), 0x1f), "s9 s11 s12 s13 d13");
    EXPECT_TRUE(order_faults(table, lines_of(jacks_split(), table, game)).empty());
}

// Where the chart has room for the split, the mend makes it, and the chart costs no more.
TEST(OrderFaults, MendSplitsTheLineWhereThereIsRoom) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const DealPatterns table = table_of("jacks-or-better-9-6", four_to_a_draw);
    Planner planner(table);
    const ChartLines wrong = lines_of(kJacksChart, table, game);
    planner.resume(PlannerState{wrong, {}});
    const double before = planner.shortfall();
    EXPECT_TRUE(planner.mend_order(wrong.size() + 1));
    EXPECT_TRUE(order_faults(table, planner.order()).empty())
        << all_text(order_faults(table, planner.order()), table, game);
    EXPECT_LE(planner.order().size(), wrong.size() + 1);
    EXPECT_LE(planner.shortfall(), before + 1e-6);
    // A chart without faults is left as it is.
    const ChartLines right = lines_of(jacks_split(), table, game);
    planner.resume(PlannerState{right, {}});
    EXPECT_FALSE(planner.mend_order(right.size()));
    EXPECT_EQ(planner.order(), right);
}

// Double Bonus 9/6/5 pays four aces 160: three aces and a pair are better broken, but a short
// chart's line of dealt hands keeps every full house.
constexpr const char* kBonusChart =
    "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
    "three of a kind, straight, flush or full house\n"
    "high pair, two pair, three of a kind, straight, flush or full house\n"
    "low pair\n"
    "discard everything\n";

TEST(OrderFaults, ThreeAcesKeptAsAFullHouse) {
    const Game game = find_game("double-bonus-9-6-5").value();
    const DealPatterns table = table_of("double-bonus-9-6-5", three_alike);
    const ChartLines wrong = lines_of(kBonusChart, table, game);
    const std::vector<OrderFault> faults = order_faults(table, wrong);
    ASSERT_EQ(faults.size(), 1u) << all_text(faults, table, game);
    const OrderFault& f = faults.front();
    EXPECT_EQ(f.what, FaultKind::pat_hand);
    EXPECT_EQ(f.made_line, 2u);
    EXPECT_EQ(f.better_line, 0u) << "not a line of the chart";
    EXPECT_EQ(words(table, game, f.kind), "full house");
    EXPECT_EQ(words(table, game, f.better), "three aces");
    // Three aces of four, a pair of any other rank: 4 x 12 x 6 deals.
    EXPECT_EQ(f.deals, 288u);

    // The breaking hold comes in above the line.
    Planner planner(table);
    planner.resume(PlannerState{wrong, {}});
    EXPECT_TRUE(planner.mend_order(wrong.size() + 1));
    EXPECT_TRUE(order_faults(table, planner.order()).empty())
        << all_text(order_faults(table, planner.order()), table, game);
    EXPECT_EQ(words(table, game, planner.order()[1]), "three aces");
}

// A chart in sections reads each deal by the lines of its own section: a line of another
// section is no fault of this one's.
TEST(OrderFaults, EachDealReadsItsOwnOrder) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const DealPatterns table = table_of("jacks-or-better-9-6", four_to_a_draw);
    ChartReading reading{{lines_of(jacks_split(), table, game), lines_of(kJacksChart, table, game)},
                         std::vector<std::uint8_t>(table.deal_count(), 0)};
    EXPECT_TRUE(order_faults(table, reading).empty());
    reading.order_of.assign(table.deal_count(), 1);
    const std::vector<OrderFault> faults = order_faults(table, reading);
    ASSERT_EQ(faults.size(), 1u);
    EXPECT_EQ(faults.front().reading, 1u);
    EXPECT_EQ(faults.front().deals, 264u);
}

}  // namespace
}  // namespace quillon::odds

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "odds/games/game_file.h"
#include "odds/play/suit_classes.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/pattern_entries.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

struct Expected {
    PatternKey key;
    HoldMask mask;
};

// The entries of one deal read the plain way: every pattern its holds show, in the order they
// first show, each kept by the hold the tie rule prefers among those that show it.
std::vector<Expected> plain_entries(const Game& game, const RankProfile& profile,
                                    const std::array<CardId, 5>& cards) {
    std::vector<Expected> out;
    for (unsigned m = 0; m < kHoldCount; ++m) {
        const auto mask = static_cast<HoldMask>(m);
        for (const PatternKey key : patterns_of(game, profile, cards, mask)) {
            const auto it = std::find_if(out.begin(), out.end(),
                                         [&](const Expected& e) { return e.key == key; });
            if (it == out.end()) {
                out.push_back({key, mask});
            } else if (hold_preference(game, cards, mask) >
                       hold_preference(game, cards, it->mask)) {
                it->mask = mask;
            }
        }
    }
    return out;
}

class DealTable : public ::testing::TestWithParam<std::string> {};

// A spread of consecutive runs of deals (so that one deal's keys meet the next deal's), split
// over two threads: each deal's entries are the plain reading's, in its order, with the kept
// hold's value, and the deal's best value is its best hold's.
TEST_P(DealTable, EntriesAreThePlainReadingOfEveryHold) {
    const Tallies& tallies = shared_tallies(GetParam());
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const std::vector<DealClass> all = deal_classes(game.jokers());
    std::vector<DealClass> deals;
    for (std::size_t start = 0; start < all.size(); start += all.size() / 12) {
        for (std::size_t d = start; d < std::min(all.size(), start + 15); ++d) {
            deals.push_back(all[d]);
        }
    }
    const DealPatterns table = deal_patterns(tallies, profile, deals, 2);
    ASSERT_EQ(table.deal_count(), deals.size());
    for (std::size_t d = 0; d < deals.size(); ++d) {
        const std::array<CardId, 5> cards = class_cards(deals[d], game.has_joker());
        const std::vector<Expected> expected = plain_entries(game, profile, cards);
        const std::uint32_t begin = table.entry_begin[d];
        ASSERT_EQ(table.entry_begin[d + 1] - begin, expected.size()) << "deal " << d;
        double best = 0.0;
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::uint32_t e = begin + static_cast<std::uint32_t>(i);
            EXPECT_EQ(table.keys[table.pattern(e)], expected[i].key) << "deal " << d;
            EXPECT_EQ(table.mask(d, e), expected[i].mask)
                << "deal " << d << ", " << held_cards(cards, table.mask(d, e));
            best = std::max(best, table.value(d, e));
            // The deal's holds are stored once each, in mask order, and the entry names its own.
            const std::uint32_t h = table.hold(d, e);
            EXPECT_GE(h, table.hold_begin[d]);
            EXPECT_LT(h, table.hold_begin[d + 1]);
            // Entries kept by the same hold carry the same value.
            for (std::uint32_t f = begin; f < e; ++f) {
                if (table.mask(d, f) == table.mask(d, e)) {
                    EXPECT_EQ(table.value(d, f), table.value(d, e));
                }
            }
        }
        for (std::uint32_t h = table.hold_begin[d] + 1; h < table.hold_begin[d + 1]; ++h) {
            EXPECT_LT(table.hold_mask[h - 1], table.hold_mask[h]) << "deal " << d;
        }
        // Every hold shows a pattern, so the best hold's value is among the entries.
        EXPECT_EQ(table.perfect[d], best) << "deal " << d;
    }
}

// The entries read pattern by pattern are the table's, deal by deal in order, each with its
// hold and that hold's value to the last bit (read from each pattern's pays, or whole where a
// pattern's holds differ in size); patterns that the deals between two runs do not show step
// over two thousand deals, past what one word of the reading holds.
TEST_P(DealTable, EntriesPatternByPatternAreTheTablesInDealOrder) {
    const Tallies& tallies = shared_tallies(GetParam());
    const Game& game = tallies.game();
    const std::vector<DealClass> all = deal_classes(game.jokers());
    std::vector<DealClass> deals(all.begin(), all.begin() + 30);
    deals.insert(deals.end(), 2100, all[all.size() / 2]);
    deals.insert(deals.end(), all.begin(), all.begin() + 30);
    const DealPatterns table = deal_patterns(tallies, rank_profile(game), deals, 2);
    using Read = std::tuple<std::uint32_t, std::uint32_t, double>;
    std::vector<std::vector<Read>> expected(table.keys.size());
    for (std::uint32_t d = 0; d < table.deal_count(); ++d) {
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            expected[table.pattern(e)].emplace_back(d, table.hold(d, e) - table.hold_begin[d],
                                                    table.value(d, e));
        }
    }
    const PatternEntries by_pattern(table);
    std::uint32_t longest = 0;
    for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
        std::vector<Read> read;
        for (auto entry = by_pattern.entries(p); entry.next();) {
            read.emplace_back(entry.deal(), entry.slot(), entry.value());
        }
        EXPECT_EQ(read, expected[p]) << "pattern " << p;
        EXPECT_EQ(by_pattern.count(p), expected[p].size());
        for (std::size_t i = 1; i < expected[p].size(); ++i) {
            longest =
                std::max(longest, std::get<0>(expected[p][i]) - std::get<0>(expected[p][i - 1]));
        }
    }
    EXPECT_GT(longest, PatternEntries::kLongStep);
}

// Each entry's value is its hold's expected return as the deal's own analysis gives it, where
// the table keeps the holds' pays in 32 bits and where a pair paying 20,000.25 takes them past
// that and the table keeps the returns whole.
TEST(DealTableValues, AreTheHoldsReturnsWhetherThePaysFit32BitsOrNot) {
    const Game wide = parse_game(
        "name  Wide\nwild  none\nroyal 250\nthree 3\npair  20000.25  jacks\n", "wide.game");
    const Tallies wide_tallies(wide);
    for (const Tallies* tallies : {&shared_tallies("jacks-or-better-9-6"), &wide_tallies}) {
        const Game& game = tallies->game();
        const std::vector<DealClass> all = deal_classes(game.jokers());
        std::vector<DealClass> deals;
        for (std::size_t d = 0; d < all.size(); d += all.size() / 40) {
            deals.push_back(all[d]);
        }
        const DealPatterns table = deal_patterns(*tallies, rank_profile(game), deals, 2);
        EXPECT_EQ(table.wide_value.empty(), tallies == &wide_tallies ? false : true) << game.name();
        // Read pattern by pattern, the values are the same to the last bit.
        const PatternEntries by_pattern(table);
        for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
            for (auto entry = by_pattern.entries(p); entry.next();) {
                const std::uint32_t h = table.hold_begin[entry.deal()] + entry.slot();
                EXPECT_EQ(entry.value(), table.hold_value(h)) << game.name() << ", pattern " << p;
            }
        }
        for (std::size_t d = 0; d < table.deal_count(); ++d) {
            const auto holds = analyze_deal(*tallies, class_cards(deals[d], false));
            for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
                EXPECT_DOUBLE_EQ(table.value(d, e), holds[table.mask(d, e)].expected_return())
                    << game.name() << ", deal " << d;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Games, DealTable,
                         ::testing::Values("quillon", "jacks-or-better-9-6", "deuces-wild-nsu"));

}  // namespace
}  // namespace quillon::odds

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "odds/strategy/deal_patterns.h"
#include "odds/suit_classes.h"
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
    const std::vector<DealClass> all = deal_classes(game.has_joker());
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
            EXPECT_EQ(table.keys[table.pattern[e]], expected[i].key) << "deal " << d;
            EXPECT_EQ(table.mask[e], expected[i].mask)
                << "deal " << d << ", " << held_cards(cards, table.mask[e]);
            best = std::max(best, table.value[e]);
            // Entries kept by the same hold carry the same value.
            for (std::uint32_t f = begin; f < e; ++f) {
                if (table.mask[f] == table.mask[e]) {
                    EXPECT_EQ(table.value[f], table.value[e]);
                }
            }
        }
        // Every hold shows a pattern, so the best hold's value is among the entries.
        EXPECT_EQ(table.perfect[d], best) << "deal " << d;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, DealTable,
                         ::testing::Values("quillon", "jacks-or-better-9-6", "deuces-wild-nsu"));

}  // namespace
}  // namespace quillon::odds

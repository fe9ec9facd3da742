// Deal classes against a direct count of every deal by its suit pattern.
#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>

#include "base/combinatorics.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {
namespace {

// The four suit masks of a deal in non-increasing order, packed: the same for every renaming of
// its suits and different otherwise.
std::uint64_t pattern_of(const std::array<int, 5>& cards, bool joker) {
    std::array<std::uint64_t, 5> masks{};
    for (const int index : cards) {
        const CardId card = deck_card(index, joker);
        const auto suit = static_cast<std::size_t>(card.suit());
        masks[suit] |= card.is_joker() ? 1u : 1u << card.rank();
    }
    std::sort(masks.begin(), masks.begin() + 4, std::greater<>());
    return masks[0] | masks[1] << 14 | masks[2] << 28 | masks[3] << 42 | masks[4] << 56;
}

class SuitClasses : public ::testing::TestWithParam<bool> {};

TEST_P(SuitClasses, WeighEveryDealOnce) {
    const bool joker = GetParam();
    const int deck = joker ? 53 : 52;
    std::unordered_map<std::uint64_t, std::uint32_t> deals;
    std::array<int, 5> cards{0, 1, 2, 3, 4};
    do {
        ++deals[pattern_of(cards, joker)];
    } while (next_subset(cards, deck));

    const std::vector<DealClass> classes = deal_classes(joker);
    EXPECT_EQ(classes.size(), joker ? 134'459u + 16'432u : 134'459u);
    EXPECT_EQ(classes.size(), deals.size());
    std::uint64_t weight = 0;
    for (const DealClass& c : classes) {
        EXPECT_TRUE(std::is_sorted(c.cards.begin(), c.cards.end()));
        const auto found = deals.find(pattern_of(c.cards, joker));
        ASSERT_NE(found, deals.end());
        EXPECT_EQ(found->second, c.weight);
        found->second = 0;  // a second class of the same pattern would now fail
        weight += c.weight;
    }
    EXPECT_EQ(weight, choose(deck, 5));
}

INSTANTIATE_TEST_SUITE_P(Decks, SuitClasses, ::testing::Values(false, true),
                         [](const auto& deck) { return deck.param ? "WithJoker" : "Without"; });

}  // namespace
}  // namespace quillon::odds

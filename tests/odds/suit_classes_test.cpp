// Deal classes against a direct count of every deal by its suit pattern.
#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>

#include "base/combinatorics.h"
#include "odds/play/suit_classes.h"

namespace quillon::odds {
namespace {

// The four suit masks of a deal in non-increasing order and its number of jokers, packed: the
// same for every renaming of its suits and for either of two jokers, and different otherwise.
std::uint64_t pattern_of(const std::array<int, 5>& cards, int jokers) {
    std::array<std::uint64_t, 5> masks{};
    for (const int index : cards) {
        const CardId card = deck_card(index, jokers > 0);
        const auto suit = static_cast<std::size_t>(card.suit());
        masks[suit] += card.is_joker() ? 1u : 1u << card.rank();
    }
    std::sort(masks.begin(), masks.begin() + 4, std::greater<>());
    return masks[0] | masks[1] << 14 | masks[2] << 28 | masks[3] << 42 | masks[4] << 56;
}

class SuitClasses : public ::testing::TestWithParam<int> {};

TEST_P(SuitClasses, WeighEveryDealOnce) {
    const int joker = GetParam();
    const int deck = 52 + joker;
    std::unordered_map<std::uint64_t, std::uint32_t> deals;
    std::array<int, 5> cards{0, 1, 2, 3, 4};
    do {
        ++deals[pattern_of(cards, joker)];
    } while (next_subset(cards, deck));

    const std::vector<DealClass> classes = deal_classes(joker);
    constexpr std::array<std::size_t, 3> kSizes = {134'459, 134'459 + 16'432,
                                                   134'459 + 16'432 + 1'755};
    EXPECT_EQ(classes.size(), kSizes[static_cast<std::size_t>(joker)]);
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

std::string deck_name(const ::testing::TestParamInfo<int>& deck) {
    constexpr std::array<const char*, 3> kNames = {"Without", "WithJoker", "WithTwoJokers"};
    return kNames[static_cast<std::size_t>(deck.param)];
}

INSTANTIATE_TEST_SUITE_P(Decks, SuitClasses, ::testing::Values(0, 1, 2), deck_name);

}  // namespace
}  // namespace quillon::odds

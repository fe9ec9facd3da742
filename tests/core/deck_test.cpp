#include <gtest/gtest.h>

#include <array>
#include <set>

#include "game/deck.h"
#include "game/random_source.h"

namespace quillon {
namespace {

TEST(Deck, FiftyThreeDrawsGiveEveryCardOnce) {
    SeededRandom random(7);
    Deck deck;
    deck.refill_deck();
    EXPECT_EQ(deck.deck_top, 52);
    std::set<int> seen;
    for (int i = 0; i < 53; ++i) {
        seen.insert(deck.draw_card(random.next_unit()).code());
    }
    EXPECT_EQ(seen.size(), 53u);
    EXPECT_EQ(deck.deck_top, -1);
}

TEST(Deck, TheExtremesOfTheUnitRangeReachBothEnds) {
    Deck deck;
    deck.refill_deck();
    EXPECT_TRUE(deck.draw_card(0.0).is_joker());
    deck.refill_deck();
    EXPECT_EQ(deck.draw_card(0.9999999999999999).text(), "h13");
    // The last card filled the hole of the drawn one.
    deck.refill_deck();
    deck.draw_card(0.0);
    EXPECT_EQ(deck.deck[0].text(), "h13");
    EXPECT_EQ(deck.deck_top, 51);
}

TEST(Deck, EveryCardComesFirstEquallyOften) {
    SeededRandom random(2024);
    constexpr int kRounds = 53 * 4000;
    std::array<int, 53> first{};
    Deck deck;
    for (int i = 0; i < kRounds; ++i) {
        deck.refill_deck();
        ++first[static_cast<std::size_t>(deck.draw_card(random.next_unit()).code())];
    }
    const double expected = kRounds / 53.0;
    double chi2 = 0;
    for (int n : first) {
        chi2 += (n - expected) * (n - expected) / expected;
    }
    // 52 degrees of freedom: 95 is beyond the 99.99th percentile.
    EXPECT_LT(chi2, 95.0);
}

TEST(Deck, CardTextsRoundTrip) {
    for (int code = 0; code < 53; ++code) {
        const CardId card = CardId::from_code(code);
        EXPECT_EQ(CardId::parse(card.text()), card);
    }
    for (const char* bad : {"", "s0", "s14", "x1", "s01", "Joker", "h1x", "s-1"}) {
        EXPECT_FALSE(CardId::parse(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quillon

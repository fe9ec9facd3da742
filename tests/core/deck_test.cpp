#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "base/card.h"
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
    for (const char* bad : {"",
                            "s0",
                            "s14",
                            "x1",
                            "s01",
                            "Jokers",
                            "h1x",
                            "s-1",
                            "1s",
                            "01s",
                            "Ax",
                            "A",
                            "10",
                            "Tss",
                            "Kh ",
                            "jk",
                            "A\xE2\x99\xA8",
                            "A\xE2\x99",
                            "11h",
                            "1\xE2\x99\xA0",
                            "s 1",
                            "sA"}) {
        EXPECT_FALSE(CardId::parse(bad).has_value()) << bad;
    }
}

// Every card of the deck in every form players write it reads as that card, whatever the case.
TEST(Deck, EveryFormOfEveryCardReadsAsThatCard) {
    const std::string ranks[] = {"",  "A", "2", "3", "4", "5", "6",
                                 "7", "8", "9", "T", "J", "Q", "K"};
    const std::string letters[] = {"s", "d", "c", "h"};
    const std::string black[] = {"\u2660", "\u2666", "\u2663", "\u2665"};
    const std::string white[] = {"\u2664", "\u2662", "\u2667", "\u2661"};
    const auto lower = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        return text;
    };
    const auto upper = [](std::string text) {
        for (char& c : text) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        return text;
    };
    int cards = 0;
    for (int code = 1; code < 53; ++code) {
        const CardId card = CardId::from_code(code);
        const auto s = static_cast<std::size_t>(card.suit());
        const auto r = static_cast<std::size_t>(card.rank());
        std::vector<std::string> forms = {card.text(), upper(card.text())};
        std::vector<std::string> rank_forms = {ranks[r], lower(ranks[r])};
        if (r == 10) {
            rank_forms.push_back("10");
        }
        for (const std::string& rank : rank_forms) {
            for (const std::string& suit : {letters[s], upper(letters[s]), black[s], white[s]}) {
                forms.push_back(rank + suit);
            }
        }
        for (const std::string& form : forms) {
            EXPECT_EQ(CardId::parse(form), card) << form;
        }
        ++cards;
    }
    EXPECT_EQ(cards, 52);
    for (const char* joker : {"joker", "JOKER", "Joker", "Jkr", "jkr", "JKR"}) {
        EXPECT_EQ(CardId::parse(joker), CardId::joker()) << joker;
    }
    // The second joker of a two-joker deck, which the machine never deals.
    for (const char* joker : {"joker2", "JOKER2", "Jkr2"}) {
        EXPECT_EQ(CardId::parse(joker), CardId::second_joker()) << joker;
    }
    EXPECT_TRUE(CardId::second_joker().is_joker());
    EXPECT_EQ(CardId::second_joker().suit(), Suit::joker);
    EXPECT_EQ(CardId::second_joker().text(), "joker2");
    EXPECT_FALSE(CardId::parse("joker3"));
    // Reports keep the game's own form.
    EXPECT_EQ(CardId::parse("T\u2665")->text(), "h10");
}

}  // namespace
}  // namespace quillon

// The fast classifier against the machine's own, on every hand of the 53-card deck, and the
// finer classes the machine has no names for.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "base/combinatorics.h"
#include "game/hand_evaluation.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"
#include "tests/odds/machine_name.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

std::array<CardId, 5> cards_of(const std::array<int, 5>& codes) {
    std::array<CardId, 5> cards{};
    for (std::size_t i = 0; i < 5; ++i) {
        cards[i] = CardId::from_code(codes[i]);
    }
    return cards;
}

std::string text_of(const std::array<CardId, 5>& cards) {
    std::ostringstream out;
    for (const CardId c : cards) {
        out << c.text() << ' ';
    }
    return out.str();
}

TEST(FastClassifier, NamesEveryHandAsTheMachineDoes) {
    const FastClassifier fast(quillon_game_table());
    std::array<int, 5> codes{0, 1, 2, 3, 4};
    std::size_t hands = 0;
    std::size_t mismatches = 0;
    do {
        const std::array<CardId, 5> cards = cards_of(codes);
        const HandName expected = classify_hand(cards).name;
        const HandName got = machine_name(fast.classify(cards));
        if (got != expected && ++mismatches <= 5) {
            ADD_FAILURE() << text_of(cards) << "machine '" << hand_name_text(expected)
                          << "', fast '" << hand_name_text(got) << "'";
        }
        ++hands;
    } while (next_subset(codes, CardId::kCount));
    EXPECT_EQ(hands, 2'869'685u);
    EXPECT_EQ(mismatches, 0u);
}

// The textbook counts of the 2,598,960 hands without the joker, pairs by rank included.
TEST(FastClassifier, CountsTheNaturalHandsAsTextbooksDo) {
    const FastClassifier fast(jacks_or_better_9_6());
    std::map<HandClass, std::uint64_t> counts;
    std::array<int, 5> index{0, 1, 2, 3, 4};
    do {
        std::array<CardId, 5> cards{};
        for (std::size_t i = 0; i < 5; ++i) {
            cards[i] = deck_card(index[i], false);
        }
        ++counts[fast.classify(cards)];
    } while (next_subset(index, 52));
    EXPECT_EQ(counts[HandClass::natural_royal], 4u);
    EXPECT_EQ(counts[HandClass::straight_flush], 36u);
    // 624 fours of a kind: 48 of aces (12 with a 2, 3 or 4), 144 of 2s to 4s (36 with an ace,
    // 2, 3 or 4), 432 of the rest.
    // Four of each rank beside each other rank: four suits of the kicker.
    for (int q = 0; q < kRankCount; ++q) {
        for (int k = 0; k < kRankCount; ++k) {
            EXPECT_EQ(counts[four_of(q, k)], k == q ? 0u : 4u) << hand_class_text(four_of(q, k));
        }
    }
    EXPECT_EQ(counts[HandClass::full_house], 3'744u);
    EXPECT_EQ(counts[HandClass::flush], 5'108u);
    EXPECT_EQ(counts[HandClass::straight], 10'200u);
    EXPECT_EQ(counts[HandClass::three], 54'912u);
    EXPECT_EQ(counts[HandClass::two_pair], 123'552u);
    for (int rank = 0; rank < kRankCount; ++rank) {
        EXPECT_EQ(counts[pair_of(rank)], 84'480u) << hand_class_text(pair_of(rank));
    }
    EXPECT_EQ(counts[HandClass::nothing], 1'302'540u);
    for (int r = 0; r < kRankCount; ++r) {
        EXPECT_EQ(counts[five_of(r)], 0u);
    }
    EXPECT_EQ(counts[HandClass::wild_royal], 0u);
}

struct NamedHand {
    const char* cards;
    HandClass expected;
};

class FastClassifierHands : public ::testing::TestWithParam<NamedHand> {};

TEST_P(FastClassifierHands, GivesTheBestClass) {
    const std::array<CardId, 5> cards = parse_deal(GetParam().cards);
    const FastClassifier fast(quillon_game_table());
    EXPECT_EQ(hand_class_text(fast.classify(cards)), hand_class_text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FastClassifierHands,
    ::testing::Values(NamedHand{"s10 s11 s12 s13 s1", HandClass::natural_royal},
                      NamedHand{"joker h11 h12 h13 h1", HandClass::wild_royal},
                      NamedHand{"h10 joker h12 h13 h1", HandClass::wild_royal},
                      NamedHand{"joker d9 d10 d11 d12", HandClass::straight_flush},
                      NamedHand{"joker c1 c2 c3 c5", HandClass::straight_flush},
                      NamedHand{"joker s7 d7 c7 h7", five_of(5)},
                      NamedHand{"joker s7 d7 c7 h2", four_of(5, 0)},
                      NamedHand{"joker s7 d7 c2 h2", HandClass::full_house},
                      NamedHand{"joker s2 s5 s9 s13", HandClass::flush},
                      NamedHand{"joker s1 d2 c3 h4", HandClass::straight},
                      NamedHand{"joker s12 d13 c1 h2", HandClass::pair_ace},
                      NamedHand{"joker s12 d13 c3 h2", HandClass::pair_king},
                      NamedHand{"joker s9 d7 c3 h2", pair_of(7)},
                      NamedHand{"s11 d11 c3 h7 s9", HandClass::pair_jack},
                      NamedHand{"s12 d13 c1 h2 s3", HandClass::nothing},
                      NamedHand{"s1 d2 c3 h4 s5", HandClass::straight},
                      NamedHand{"s1 s2 s3 s4 s5", HandClass::straight_flush}));

// Two jokers, and the deuces beside a joker, read from their games' own tables.
struct GameHand {
    const char* game;
    const char* cards;
    HandClass expected;
};

class FastClassifierWildDecks : public ::testing::TestWithParam<GameHand> {};

TEST_P(FastClassifierWildDecks, GivesTheBestClass) {
    const std::array<CardId, 5> cards = parse_deal(GetParam().cards);
    const FastClassifier fast(find_game(GetParam().game).value());
    EXPECT_EQ(hand_class_text(fast.classify(cards)), hand_class_text(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FastClassifierWildDecks,
    ::testing::Values(
        GameHand{"double-joker-9-5", "joker joker2 s7 d7 c7", five_of(5)},
        GameHand{"double-joker-9-5", "joker joker2 h11 h13 h1", HandClass::wild_royal},
        GameHand{"double-joker-9-5", "joker2 d9 d10 joker d12", HandClass::straight_flush},
        GameHand{"double-joker-9-5", "joker joker2 s7 d7 c3", four_of(5, 1)},
        GameHand{"double-joker-9-5", "joker joker2 s2 d9 c5", HandClass::three},
        GameHand{"double-joker-9-5", "joker joker2 s2 d4 c5", HandClass::straight},
        GameHand{"double-joker-9-5", "joker2 s7 d7 c9 h9", HandClass::full_house},
        GameHand{"double-joker-9-5", "joker2 s7 d7 c9 h1", HandClass::three},
        GameHand{"deuces-and-joker-wild", "s2 h2 d2 c2 joker", HandClass::five_wilds},
        GameHand{"deuces-and-joker-wild", "s2 h2 d2 c2 h9", four_deuces_with(7)},
        GameHand{"deuces-and-joker-wild", "s2 h2 d2 joker h13", HandClass::wild_royal},
        GameHand{"deuces-and-joker-wild", "s2 h2 d2 joker c4", five_of(2)},
        GameHand{"deuces-and-joker-wild", "s2 h2 d2 joker h9", five_of(7)},
        GameHand{"deuces-and-joker-wild", "joker s2 s3 s4 s5", HandClass::straight_flush},
        GameHand{"deuces-and-joker-wild", "joker s2 h5 c9 d13", HandClass::three}),
    [](const auto& row) { return "Case" + std::to_string(row.index); });

}  // namespace
}  // namespace quillon::odds

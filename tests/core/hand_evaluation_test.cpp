// The classifier against a reference written here from the rules of poker: the joker takes the
// best of every card it could stand for, duplicates of cards in the hand included.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>

#include "game/hand_evaluation.h"

namespace quillon {
namespace {

struct Natural {
    int rank;  // 1-13
    int suit;  // 0-3
};

HandName reference_natural(const std::array<Natural, 5>& cards) {
    std::array<int, 14> by_rank{};
    std::array<int, 4> by_suit{};
    for (const Natural& c : cards) {
        ++by_rank[static_cast<std::size_t>(c.rank)];
        ++by_suit[static_cast<std::size_t>(c.suit)];
    }
    const bool flush = std::ranges::any_of(by_suit, [](int n) { return n == 5; });
    std::array<int, 6> groups{};  // groups[k]: ranks that appear k times
    for (int n : by_rank) {
        ++groups[static_cast<std::size_t>(n)];
    }
    if (groups[5] == 1) {
        return HandName::five;
    }
    // Five ranks in a row; the ace closes 10-J-Q-K-A too.
    bool straight = false;
    bool ace_high = false;
    if (groups[1] == 5) {
        for (int low = 1; low <= 9; ++low) {
            bool run = true;
            for (int r = low; r < low + 5; ++r) {
                run = run && by_rank[static_cast<std::size_t>(r)] == 1;
            }
            straight = straight || run;
        }
        ace_high = by_rank[1] == 1 && by_rank[10] == 1 && by_rank[11] == 1 && by_rank[12] == 1 &&
                   by_rank[13] == 1;
        straight = straight || ace_high;
    }
    if (straight && flush) {
        return ace_high ? HandName::royal : HandName::stfl;
    }
    if (groups[4] == 1) {
        return HandName::four;
    }
    if (groups[3] == 1 && groups[2] == 1) {
        return HandName::full;
    }
    if (flush) {
        return HandName::flush;
    }
    if (straight) {
        return HandName::straight;
    }
    if (groups[3] == 1) {
        return HandName::three;
    }
    if (groups[2] == 2) {
        return HandName::two;
    }
    return HandName::none;
}

HandName reference(const std::array<CardId, 5>& hand) {
    std::array<Natural, 5> cards{};
    int joker_at = -1;
    for (std::size_t i = 0; i < 5; ++i) {
        if (hand[i].is_joker()) {
            joker_at = static_cast<int>(i);
        } else {
            cards[i] = {hand[i].rank(), static_cast<int>(hand[i].suit())};
        }
    }
    if (joker_at < 0) {
        return reference_natural(cards);
    }
    HandName best = HandName::none;
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            cards[static_cast<std::size_t>(joker_at)] = {rank, suit};
            best = std::max(best, reference_natural(cards));
        }
    }
    return best;
}

TEST(HandEvaluation, AgreesWithReferenceOnEveryHandOfTheDeck) {
    std::map<HandName, long> counts;
    long hands = 0;
    std::array<CardId, 5> hand{};
    for (int a = 0; a < 53; ++a) {
        for (int b = a + 1; b < 53; ++b) {
            for (int c = b + 1; c < 53; ++c) {
                for (int d = c + 1; d < 53; ++d) {
                    for (int e = d + 1; e < 53; ++e) {
                        hand = {CardId::from_code(a), CardId::from_code(b), CardId::from_code(c),
                                CardId::from_code(d), CardId::from_code(e)};
                        const HandName got = classify_hand(hand).name;
                        ASSERT_EQ(got, reference(hand))
                            << hand[0].text() << " " << hand[1].text() << " " << hand[2].text()
                            << " " << hand[3].text() << " " << hand[4].text();
                        ++counts[got];
                        ++hands;
                    }
                }
            }
        }
    }
    EXPECT_EQ(hands, 2869685);  // C(53, 5)
    // The published frequencies of five-card hands from 52 cards and a wild joker, each the hands
    // without the joker plus those the joker completes. A royal with the joker pays as a royal,
    // and no hand with the joker is a mere two pair: the joker makes three of a kind of a pair.
    const std::map<HandName, long> published = {
        {HandName::royal, 4 + 20},
        {HandName::five, 13},
        {HandName::stfl, 36 + 144},
        {HandName::four, 624 + 2496},
        {HandName::full, 3744 + 2808},
        {HandName::flush, 5108 + 2696},
        {HandName::straight, 10200 + 10332},
        {HandName::three, 54912 + 82368},
        {HandName::two, 123552},
        {HandName::none, 2869685 - 24 - 13 - 180 - 3120 - 6552 - 7804 - 20532 - 137280 - 123552},
    };
    EXPECT_EQ(counts, published);
}

struct Case {
    const char* cards;
    const char* name;
    friend void PrintTo(const Case& c, std::ostream* os) { *os << c.cards; }
};

std::string case_name(const ::testing::TestParamInfo<Case>& info) {
    std::string out;
    for (const char* p = info.param.cards; *p != 0; ++p) {
        out += *p == ' ' ? '_' : *p;
    }
    return out;
}

class HandCases : public ::testing::TestWithParam<Case> {};

TEST_P(HandCases, NamesTheHand) {
    std::array<CardId, 5> hand{};
    std::istringstream in(GetParam().cards);
    for (CardId& card : hand) {
        std::string word;
        in >> word;
        card = CardId::parse(word).value();
    }
    EXPECT_EQ(hand_name_text(classify_hand(hand).name), GetParam().name) << GetParam().cards;
}

INSTANTIATE_TEST_SUITE_P(
    Table, HandCases,
    ::testing::Values(Case{"s1 s10 s11 s12 s13", "royal"}, Case{"joker h10 h11 h12 h13", "royal"},
                      Case{"joker d1 d10 d12 d13", "royal"},
                      Case{"joker s1 h11 d12 c13", "straight"},
                      Case{"s1 h10 s11 s12 s13", "straight"}, Case{"joker s9 h9 d9 c9", "five"},
                      Case{"c9 c10 c11 c12 c13", "stfl"}, Case{"joker h5 h6 h8 h9", "stfl"},
                      Case{"s1 h2 s3 s4 s5", "straight"}, Case{"s12 h13 s1 d2 c3", ""},
                      Case{"joker s2 h3 d4 c6", "straight"}, Case{"s7 h7 d7 c7 s2", "four"},
                      Case{"joker h7 d7 c7 s2", "four"}, Case{"s7 h7 d7 c2 s2", "full"},
                      Case{"joker h7 d7 c2 s2", "full"}, Case{"d2 d5 d8 d10 d13", "flush"},
                      Case{"joker c2 c5 c8 c13", "flush"}, Case{"s7 h7 d7 c2 s9", "three"},
                      Case{"joker h7 d7 c2 s9", "three"}, Case{"s7 h7 d2 c2 s9", "two"},
                      Case{"s1 h1 d3 c8 s13", ""}, Case{"joker h3 d6 c9 s12", ""},
                      Case{"joker s1 s2 s3 s4", "stfl"}, Case{"joker h1 d2 c3 s5", "straight"}),
    case_name);

}  // namespace
}  // namespace quillon

// The fast classifier of each wild kind against a plain reference: every wild card tried as
// every card of the deck, the best pay of the hands so made.
#include <gtest/gtest.h>

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "base/combinatorics.h"
#include "odds/games/game_file.h"
#include "odds/play/fast_classifier.h"

namespace quillon::odds {
namespace {

using HC = HandClass;

struct Card {
    int rank;  // 0 the two ... 12 the ace
    int suit;
};

// Five cards, repeats allowed (a wild card may copy one), read by the textbook rules.
HandClass reference_class(std::array<Card, 5> cards, bool wild_used) {
    std::sort(cards.begin(), cards.end(), [](Card a, Card b) { return a.rank < b.rank; });
    std::array<int, kRankCount> count{};
    for (const Card c : cards) {
        ++count[static_cast<std::size_t>(c.rank)];
    }
    const bool flush =
        std::all_of(cards.begin(), cards.end(), [&](Card c) { return c.suit == cards[0].suit; });
    bool distinct = true;
    for (std::size_t i = 1; i < 5; ++i) {
        distinct = distinct && cards[i].rank != cards[i - 1].rank;
    }
    const bool wheel = distinct && cards[4].rank == 12 && cards[3].rank == 3;
    const bool straight = distinct && (cards[4].rank - cards[0].rank == 4 || wheel);
    int quad = -1;
    int trips = -1;
    int pairs = 0;
    int pair = -1;
    int single = -1;
    for (int r = 0; r < kRankCount; ++r) {
        const int n = count[static_cast<std::size_t>(r)];
        if (n == 5) {
            return five_of(r);
        }
        quad = n == 4 ? r : quad;
        trips = n == 3 ? r : trips;
        pairs += n == 2 ? 1 : 0;
        pair = n == 2 ? r : pair;
        single = n == 1 ? r : single;
    }
    if (straight && flush) {
        if (cards[0].rank == 8) {
            return wild_used ? HC::wild_royal : HC::natural_royal;
        }
        return HC::straight_flush;
    }
    if (quad >= 0) {
        return four_of(quad, single);
    }
    if (trips >= 0 && pairs == 1) {
        return HC::full_house;
    }
    if (flush) {
        return HC::flush;
    }
    if (straight) {
        return HC::straight;
    }
    if (trips >= 0) {
        return HC::three;
    }
    if (pairs == 2) {
        return HC::two_pair;
    }
    return pairs == 1 ? pair_of(pair) : HC::nothing;
}

// The best pay of the hands the wild cards can make, each wild card any of the 52 cards.
class Reference {
  public:
    explicit Reference(const Game& game) : game_(game) {}

    std::int64_t best_pay(const std::array<CardId, 5>& hand) {
        std::vector<Card> naturals;
        int deuces = 0;
        for (const CardId c : hand) {
            const bool deuce = game_.deuces_wild() && !c.is_joker() && c.rank() == 2;
            deuces += deuce ? 1 : 0;
            if (!c.is_joker() && !deuce) {
                naturals.push_back({engine_rank(c.rank()), static_cast<int>(c.suit())});
            }
        }
        const int wilds = 5 - static_cast<int>(naturals.size());
        // The best pay depends only on the natural ranks, whether they share a suit and the
        // number of wild cards, so each such pattern is worked out once.
        std::vector<int> ranks;
        bool suited = true;
        for (const Card c : naturals) {
            ranks.push_back(c.rank);
            suited = suited && c.suit == naturals[0].suit;
        }
        std::sort(ranks.begin(), ranks.end());
        std::uint64_t key = 0;
        for (const int r : ranks) {
            key = key * 14 + static_cast<std::uint64_t>(r + 1);
        }
        key = (key * 16 + static_cast<std::uint64_t>(wilds) * 2 + (suited ? 1 : 0)) * 8 +
              static_cast<std::uint64_t>(deuces);
        if (const auto it = done_.find(key); it != done_.end()) {
            return it->second;
        }
        // The four deuces beside their kicker; beside the joker they are also the five wild
        // cards, and the joker may be any kicker.
        std::int64_t best = 0;
        if (deuces == 4 && wilds == 4) {
            best = game_.pay_of(four_deuces_with(ranks[0]));
        }
        if (deuces == 4 && wilds == 5) {
            best = game_.pay_of(HC::five_wilds);
            for (int k = 1; k < kRankCount; ++k) {
                best = std::max(best, game_.pay_of(four_deuces_with(k)));
            }
        }
        std::array<Card, 5> cards{};
        std::copy(naturals.begin(), naturals.end(), cards.begin());
        substitute(cards, naturals.size(), 0, wilds > 0, best);
        done_.emplace(key, best);
        return best;
    }

  private:
    void substitute(std::array<Card, 5>& cards, std::size_t slot, int from, bool wild_used,
                    std::int64_t& best) {
        if (slot == 5) {
            const HandClass hand = reference_class(cards, wild_used);
            // Where the 2s are wild, wild cards standing in for twos make four of a kind of
            // no natural rank; five of the fifth card's rank is the better reading of them.
            if (!(game_.deuces_wild() && is_four_of_a_kind(hand) && four_rank(hand) == 0)) {
                best = std::max(best, game_.pay_of(hand));
            }
            return;
        }
        for (int card = from; card < 52; ++card) {
            cards[slot] = {card % 13, card / 13};
            substitute(cards, slot + 1, card, wild_used, best);
        }
    }

    const Game& game_;
    std::unordered_map<std::uint64_t, std::int64_t> done_;
};

// Tables whose four-of-a-kind lines and wild cards meet: a wild card can make a better kicker.
constexpr std::string_view kJokerBonus = R"(
wild joker
royal 800
five 400
wild-royal 100
straight-flush 60
four-aces-kicker 250
four-aces 120
four-2-4-kicker 110
four-2-4 70
four 30
full-house 8
flush 6
straight 4
three 2
two-pair 1
pair 1 aces
)";
constexpr std::string_view kDeucesBonus = R"(
wild deuces
royal 800
four-deuces-ace 400
four-deuces 200
wild-royal 25
five 20
straight-flush 9
four-aces 10
four-2-4 8
four-5-k 4
full-house 3
flush 2
straight 2
three 1
)";

// Two jokers beside four-of-a-kind lines by rank and kicker.
constexpr std::string_view kDoubleJokerBonus = R"(
wild jokers
royal 800
five 300
wild-royal 80
straight-flush 40
four-aces-kicker 200
four-aces 90
four-2-4-kicker 80
four-2-4 40
four 10
full-house 5
flush 4
straight 3
three 2
two-pair 1
)";

struct ReferenceCase {
    std::string_view name;
    std::string_view text;  // a pay-table file, or empty for the built-in game `name`
};

class ClassifierReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(ClassifierReference, PaysEveryHandOfTheDeckAsTheBestSubstitution) {
    const Game game = GetParam().text.empty()
                          ? find_game(GetParam().name).value()
                          : parse_game(GetParam().text, std::string(GetParam().name));
    const FastClassifier fast(game);
    Reference reference(game);
    const int deck = game.deck_size();
    std::array<int, 5> index{0, 1, 2, 3, 4};
    std::size_t mismatches = 0;
    do {
        std::array<CardId, 5> hand{};
        for (std::size_t i = 0; i < 5; ++i) {
            hand[i] = deck_card(index[i], game.has_joker());
        }
        const HandClass got = fast.classify(hand);
        const std::int64_t expected = reference.best_pay(hand);
        if (game.pay_of(got) != expected && ++mismatches <= 5) {
            ADD_FAILURE() << hand[0].text() << ' ' << hand[1].text() << ' ' << hand[2].text() << ' '
                          << hand[3].text() << ' ' << hand[4].text() << ": fast "
                          << hand_class_text(got) << ", reference pays " << expected;
        }
    } while (next_subset(index, deck));
    EXPECT_EQ(mismatches, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Games, ClassifierReference,
    ::testing::Values(
        ReferenceCase{"quillon", ""}, ReferenceCase{"joker-kings-20-7-5", ""},
        ReferenceCase{"double-double-bonus-9-6", ""}, ReferenceCase{"deuces-wild-full-pay", ""},
        ReferenceCase{"triple-double-bonus-9-7", ""}, ReferenceCase{"aces-and-faces-8-5", ""},
        ReferenceCase{"super-double-bonus-9-5", ""}, ReferenceCase{"double-double-bonus-10-6", ""},
        ReferenceCase{"loose-deuces-17-10", ""}, ReferenceCase{"bonus-deuces-wild-13-4-3", ""},
        ReferenceCase{"joker-bonus", kJokerBonus}, ReferenceCase{"deuces-bonus", kDeucesBonus},
        ReferenceCase{"double-joker-9-5", ""}, ReferenceCase{"deuces-and-joker-wild", ""},
        ReferenceCase{"double-joker-bonus", kDoubleJokerBonus}),
    [](const auto& row) {
        std::string name(row.param.name);
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

}  // namespace
}  // namespace quillon::odds

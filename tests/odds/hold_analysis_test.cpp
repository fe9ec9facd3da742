// The holds from the tallies against brute force over every draw, exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "base/combinatorics.h"
#include "odds/games/game_file.h"
#include "odds/games/pay_changes.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_analysis.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct DealCase {
    std::string game;
    std::string deal;
};

// Every draw after every hold, each final hand classified on its own.
std::array<Tallies::Lanes<std::int32_t>, kHoldCount> brute_force(
    const Tallies& tallies, const std::array<CardId, 5>& deal) {
    const Game& game = tallies.game();
    std::vector<CardId> rest;
    for (int i = 0; i < game.deck_size(); ++i) {
        const CardId card = deck_card(i, game.has_joker());
        if (std::find(deal.begin(), deal.end(), card) == deal.end()) {
            rest.push_back(card);
        }
    }
    std::array<Tallies::Lanes<std::int32_t>, kHoldCount> counts{};
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        std::array<CardId, 5> hand{};
        std::size_t kept = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            if ((mask >> i & 1u) != 0) {
                hand[kept++] = deal[i];
            }
        }
        // Draw the missing cards in increasing order of their place in `rest`.
        const auto draw = [&](auto&& self, std::size_t slot, std::size_t from) -> void {
            if (slot == 5) {
                ++counts[mask][game.row_of(tallies.classifier().classify(hand))];
                return;
            }
            for (std::size_t r = from; r < rest.size(); ++r) {
                hand[slot] = rest[r];
                self(self, slot + 1, r + 1);
            }
        };
        draw(draw, kept, 0);
    }
    return counts;
}

class HoldAnalysis : public ::testing::TestWithParam<DealCase> {};

TEST_P(HoldAnalysis, MatchesBruteForceOverEveryDraw) {
    const Tallies& tallies = shared_tallies(GetParam().game);
    const std::array<CardId, 5> deal = parse_deal(GetParam().deal);
    const auto holds = analyze_deal(tallies, deal);
    const auto expected = brute_force(tallies, deal);
    const auto one_deal = analyze_one_deal(tallies.game(), tallies.classifier(), deal);
    const int left = tallies.deck_size() - 5;
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        const HoldOutcome& hold = holds[mask];
        EXPECT_EQ(hold.mask, mask);
        EXPECT_EQ(hold.counts, expected[mask]) << "hold " << mask;
        std::int64_t draws = 0;
        std::int64_t pay = 0;
        for (std::size_t r = 0; r < tallies.game().row_count(); ++r) {
            draws += expected[mask][r];
            pay += expected[mask][r] * tallies.game().pay(r);
        }
        EXPECT_EQ(hold.draws, draws);
        EXPECT_EQ(hold.draws, static_cast<std::int64_t>(choose(left, 5 - hold.kept())));
        EXPECT_EQ(hold.pay_total, pay);
        // Counted draw by draw, without the tallies: the same.
        EXPECT_EQ(one_deal[mask].counts, hold.counts) << "hold " << mask;
        EXPECT_EQ(one_deal[mask].pay_total, hold.pay_total);
        EXPECT_EQ(one_deal[mask].draws, hold.draws);
    }
}

std::vector<DealCase> deal_cases() {
    std::vector<DealCase> cases = {
        {"quillon", "s1 s13 s12 s11 s10"},
        {"quillon", "joker h13 h12 h11 h1"},
        {"quillon", "joker s7 d7 c7 h7"},
        {"quillon", "h2 joker d9 c13 s5"},
        {"quillon", "c4 c5 c6 c7 h11"},
        {"quillon", "d2 h2 s8 c8 joker"},
        {"jacks-or-better-9-6", "s1 s13 s12 s11 h2"},
        {"jacks-or-better-9-6", "h11 d11 s3 c9 c8"},
        {"jacks-or-better-9-6", "d2 c7 h9 s4 s13"},
        {"jacks-or-better-9-6", "s10 s9 s8 s7 s6"},
        {"joker-kings-20-7-5", "joker h10 h11 d2 c2"},
        {"joker-kings-20-7-5", "s13 c13 d4 h8 s9"},
        {"joker-kings-20-7-5", "h13 d12 joker c5 s3"},
        // Four of a kind by rank and by kicker.
        {"double-double-bonus-9-6", "s1 h1 d1 c1 s3"},
        {"double-double-bonus-9-6", "s3 h3 d3 c3 s1"},
        {"double-double-bonus-9-6", "s1 h1 d1 c9 s3"},
        {"double-double-bonus-9-6", "s4 h4 d4 c4 h9"},
        {"double-double-bonus-9-6", "s9 h9 d9 c9 h2"},
        {"bonus-poker-8-5", "s1 h1 d7 c7 s3"},
        {"bonus-poker-8-5", "s2 h2 d2 c12 s13"},
        // Deuces wild: each hand the four 2s can make.
        {"deuces-wild-full-pay", "s2 h2 d2 c2 s1"},
        {"deuces-wild-full-pay", "s2 h2 d2 c2 h9"},
        {"deuces-wild-full-pay", "s2 h10 h11 h12 h1"},
        {"deuces-wild-full-pay", "s10 s11 s12 s13 s1"},
        {"deuces-wild-full-pay", "s2 d2 h7 c7 s7"},
        {"deuces-wild-full-pay", "c2 h5 h6 h7 h9"},
        {"deuces-wild-full-pay", "c2 h5 d5 s9 h9"},
        {"deuces-wild-full-pay", "c2 d2 h4 s8 h13"},
        {"deuces-wild-nsu", "c2 h3 h8 s12 d6"},
        {"deuces-wild-nsu", "c13 h3 h8 s12 d6"},
    };
    // Random deals on top, the same every run.
    std::mt19937 random(20240611);
    for (const char* game :
         {"quillon", "jacks-or-better-9-6", "joker-kings-20-7-5", "double-double-bonus-9-6",
          "deuces-wild-full-pay", "deuces-wild-nsu"}) {
        const int deck = find_game(game)->deck_size();
        const bool joker = deck == 53;
        for (int n = 0; n < 8; ++n) {
            std::vector<int> order(static_cast<std::size_t>(deck));
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            std::string text;
            for (std::size_t i = 0; i < 5; ++i) {
                text += deck_card(order[i], joker).text() + " ";
            }
            cases.push_back({game, text});
        }
    }
    // Under the sanitizers, the first ten deals, picked by hand; the random ones run in release.
    if (kSanitized) {
        cases.resize(10);
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Deals, HoldAnalysis, ::testing::ValuesIn(deal_cases()));

struct BestHoldCase {
    std::string game;
    std::string deal;
    std::string best;
};

class BestHold : public ::testing::TestWithParam<BestHoldCase> {};

// Holds every strategy chart agrees on, and the machine's own sure things.
TEST_P(BestHold, IsTheKnownPlay) {
    const std::array<CardId, 5> deal = parse_deal(GetParam().deal);
    const auto ranked = holds_best_first(analyze_deal(shared_tallies(GetParam().game), deal), deal);
    EXPECT_EQ(held_cards(deal, ranked.front().mask), GetParam().best);
    EXPECT_FALSE(pays_more(ranked[1], ranked[0]));
}

INSTANTIATE_TEST_SUITE_P(
    Deals, BestHold,
    ::testing::Values(
        // Four to a royal beats a pat flush.
        BestHoldCase{"jacks-or-better-9-6", "s1 s13 s12 s11 s3", "s1 s13 s12 s11"},
        // A low pair beats four to an open straight.
        BestHoldCase{"jacks-or-better-9-6", "h5 d5 c6 s7 h8", "h5 d5"},
        // A high pair beats three to a flush.
        BestHoldCase{"jacks-or-better-9-6", "h12 d12 c2 c7 c9", "h12 d12"},
        BestHoldCase{"quillon", "joker s13 s12 s11 s1", "joker s13 s12 s11 s1"},
        BestHoldCase{"quillon", "joker s7 d7 c7 h2", "joker s7 d7 c7"},
        BestHoldCase{"joker-kings-20-7-5", "s1 s13 s12 s11 s10", "s1 s13 s12 s11 s10"},
        // Deuces wild: four deuces are held alone; a pat wild royal stands.
        BestHoldCase{"deuces-wild-full-pay", "s2 h2 d2 c2 s13", "s2 h2 d2 c2"},
        BestHoldCase{"deuces-wild-full-pay", "s2 h10 h11 h12 h1", "s2 h10 h11 h12 h1"},
        // Three aces and a low kicker in Double Double Bonus: keep the kicker too.
        BestHoldCase{"double-double-bonus-9-6", "s1 h1 d1 c3 s9", "s1 h1 d1"}));

// The best of 32 pay totals, against the rule itself: nothing returns more, compared exactly
// per draw, and of the holds that return as much none comes earlier in card order. The totals
// are drawn from a few returns per draw, so that holds of one size and of different sizes tie
// often; the deals are random, so the tie order is any the cards can give.
TEST(BestHoldRule, ReturnsMostAndTheFirstInCardOrderAmongEquals) {
    std::mt19937_64 random(28);
    for (const int left : {47, 48}) {
        std::array<std::int64_t, 6> draws{};
        for (int kept = 0; kept <= 5; ++kept) {
            draws[static_cast<std::size_t>(kept)] =
                static_cast<std::int64_t>(choose(left, 5 - kept));
        }
        std::vector<int> deck(static_cast<std::size_t>(left + 5));
        std::iota(deck.begin(), deck.end(), 0);
        for (int trial = 0; trial < 4000; ++trial) {
            std::shuffle(deck.begin(), deck.end(), random);
            std::array<CardId, 5> cards{};
            for (std::size_t i = 0; i < 5; ++i) {
                cards[i] = deck_card(deck[i], left == 48);
            }
            const HoldPlaces places = hold_places(cards);
            const std::int64_t spread = trial % 3 == 0 ? 2 : 9;
            HoldValues totals{};
            for (unsigned mask = 0; mask < kHoldCount; ++mask) {
                const auto per_draw = static_cast<std::int64_t>(random() % spread) - (trial % 5);
                totals[mask] = per_draw * draws[kHoldSize[mask]] +
                               (trial % 7 == 0 ? static_cast<std::int64_t>(random() % 3) : 0);
            }
            const HoldMask best = best_hold(totals, left, places);
            for (unsigned mask = 0; mask < kHoldCount; ++mask) {
                const auto hold = static_cast<HoldMask>(mask);
                ASSERT_EQ(is_best_hold(totals, left, hold, places), hold == best)
                    << "hold " << mask << " against the best " << +best;
                const std::int64_t mine = totals[mask] * draws[kHoldSize[best]];
                const std::int64_t theirs = totals[best] * draws[kHoldSize[mask]];
                ASSERT_LE(mine, theirs) << "hold " << mask << " returns more than " << +best;
                if (mine == theirs) {
                    ASSERT_GE(places[mask], places[best]) << "an earlier hold returns as much";
                }
            }
        }
    }
}

// Card order: by rank, two to ace, then spades, diamonds, clubs, hearts, the joker last. Of two
// holds, the one that throws away the highest card only one of them keeps comes first. The same
// cards typed in any order give the same order of their holds.
TEST(BestHoldRule, CardOrderIsTheDealsNotTheTypedOrder) {
    const auto place_of = [](const std::array<CardId, 5>& cards, std::string_view held) {
        const HoldPlaces places = hold_places(cards);
        for (unsigned mask = 0; mask < kHoldCount; ++mask) {
            if (held_cards(cards, static_cast<HoldMask>(mask)) == held) {
                return int{places[mask]};
            }
        }
        return -1;
    };
    const auto up = parse_deal("d3 s4 d5 s6 s8");
    const auto down = parse_deal("s8 s6 d5 s4 d3");
    // s8 is the highest card, kept by the flush draw and not by the straight draw.
    EXPECT_LT(place_of(up, "d3 s4 d5 s6"), place_of(up, "s4 s6 s8"));
    EXPECT_LT(place_of(down, "s6 d5 s4 d3"), place_of(down, "s8 s6 s4"));
    EXPECT_EQ(place_of(up, "d3 s4 d5 s6"), place_of(down, "s6 d5 s4 d3"));
    EXPECT_EQ(place_of(up, "(draw five)"), 0);
    EXPECT_EQ(place_of(up, "d3 s4 d5 s6 s8"), 31);
    // The ace above the king, the suits in their order, the joker after every card.
    const auto mixed = parse_deal("joker h1 s13 d13 c2");
    EXPECT_LT(place_of(mixed, "c2"), place_of(mixed, "s13"));
    EXPECT_LT(place_of(mixed, "s13"), place_of(mixed, "d13"));
    EXPECT_LT(place_of(mixed, "d13"), place_of(mixed, "h1"));
    EXPECT_LT(place_of(mixed, "h1"), place_of(mixed, "joker"));
}

// Every deal of a table with a pay of its own, asked whether the hold stored for the built-in
// game's pays is still its best and whether the hold found by search is: yes exactly where the
// search finds it, whether the holds return alike or not.
TEST(BestHoldRule, AStoredHoldIsStillTheBestExactlyWhereTheSearchFindsIt) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::vector<std::pair<std::string, PayChange>> changes = {
        {"jacks-or-better-9-6", {"royal", "1200"}}, {"deuces-wild-nsu", {"four-deuces", "100"}}};
    for (const auto& [name, change] : changes) {
        const Game game = with_pays(find_game(name).value(), std::vector<PayChange>{change});
        const PrecomputedGame* base = find_replay_base(name, game);
        ASSERT_NE(base, nullptr) << name;
        const std::vector<HoldMask> stored = stored_best_holds(*base);
        const Tallies tallies(game);
        const std::vector<DealClass> classes = deal_classes(game.jokers());
        ASSERT_EQ(stored.size(), classes.size());
        std::size_t moved = 0;
        HoldValues values;
        for (std::size_t i = 0; i < classes.size(); ++i) {
            const SortedDeal deal(classes[i].cards);
            value_holds(tallies, deal, values);
            const HoldMask best = best_hold(tallies, deal, values);
            ASSERT_TRUE(is_best_hold(tallies, deal, values, best)) << name << " deal " << i;
            ASSERT_EQ(is_best_hold(tallies, deal, values, stored[i]), stored[i] == best)
                << name << " deal " << i;
            moved += stored[i] != best ? 1 : 0;
        }
        EXPECT_GT(moved, 0u) << name;
    }
}

}  // namespace
}  // namespace quillon::odds

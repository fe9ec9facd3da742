// Ultimate X solved over the multipliers' total: against a brute force of the one-line game,
// against the plain game where no hand earns a multiplier and against play by its own policy.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "base/combinatorics.h"
#include "odds/known/known_ultimate_x.h"
#include "odds/play/game_return.h"
#include "odds/play/suit_classes.h"
#include "odds/play/ultimate_x.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

// A table of the game's rows: `earned(row)` for each paying row, 1 for nothing.
template <typename Earned>
MultiplierTable table_of(const Game& game, int lines, const Earned& earned) {
    MultiplierTable table{lines, {}};
    for (std::size_t r = 0; r + 1 < game.row_count(); ++r) {
        table.earned.push_back(earned(r));
    }
    table.earned.push_back(1);
    return table;
}

// Every hold of every deal by its pay and its chance of earning 2X.
struct PlainHolds {
    std::vector<double> weight;
    std::vector<std::array<double, kHoldCount>> pay;
    std::vector<std::array<double, kHoldCount>> doubled;
};

PlainHolds every_hold(const Tallies& tallies, const MultiplierTable& table) {
    PlainHolds out;
    const Game& game = tallies.game();
    const int left = tallies.deck_size() - 5;
    for (const DealClass& c : deal_classes(game.jokers())) {
        const SortedDeal deal(c.cards);
        HoldValues totals;
        HoldCounts counts;
        value_holds(tallies, deal, totals);
        count_holds(tallies, deal, counts);
        std::array<double, kHoldCount> pay{};
        std::array<double, kHoldCount> doubled{};
        for (std::size_t m = 0; m < kHoldCount; ++m) {
            const auto draws = static_cast<double>(choose(left, 5 - kHoldSize[m]));
            pay[m] =
                static_cast<double>(totals[m]) / (draws * static_cast<double>(game.pay_scale()));
            for (std::size_t r = 0; r < game.row_count(); ++r) {
                doubled[m] += table.earned[r] == 2 ? counts[m][r] / draws : 0.0;
            }
        }
        out.weight.push_back(c.weight / 2'598'960.0);
        out.pay.push_back(pay);
        out.doubled.push_back(doubled);
    }
    return out;
}

// One line, multipliers 1 and 2: g + V(T) = E max over all 32 holds of T a + P(2X) V(2), with
// V(1) = 0. The gain and V(2) solve V(2) = F(2, V(2)) - F(1, V(2)), found by plain iteration.
TEST(UltimateX, OneLineOfTwoMultipliersMatchesTheBruteForceOverEveryStateAndHold) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-9-6");
    const Game& game = tallies.game();
    // Three of a kind or better earns 2X.
    const MultiplierTable table =
        table_of(game, 1, [&](std::size_t r) { return game.pay(r) >= 3 ? 2 : 1; });
    const PlainHolds holds = every_hold(tallies, table);
    const auto best = [&](double total, double v2, double* chance_of_two) {
        double sum = 0;
        double two = 0;
        for (std::size_t i = 0; i < holds.weight.size(); ++i) {
            double top = -1;
            double p = 0;
            for (std::size_t m = 0; m < kHoldCount; ++m) {
                const double v = total * holds.pay[i][m] + holds.doubled[i][m] * v2;
                if (v > top) {
                    top = v;
                    p = holds.doubled[i][m];
                }
            }
            sum += holds.weight[i] * top;
            two += holds.weight[i] * p;
        }
        if (chance_of_two != nullptr) {
            *chance_of_two = two;
        }
        return sum;
    };
    double v2 = 1;
    for (int round = 0; round < 60; ++round) {
        v2 = best(2, v2, nullptr) - best(1, v2, nullptr);
    }
    double from_one = 0;
    double from_two = 0;
    const double gain = best(1, v2, &from_one);
    best(2, v2, &from_two);
    const double chance_two = from_one / (1 - from_two + from_one);

    const UltimateXSolution s = solve_ultimate_x(tallies, table, 2);
    // The solver stops once the gain is pinned to within 1e-9 of the round's bet.
    ASSERT_LE(s.gain_error, 1e-9 * kUltimateXBet);
    EXPECT_NEAR(s.gain, gain, s.gain_error + 1e-12);
    EXPECT_NEAR(s.value_at(2), v2, 1e-8);
    EXPECT_NEAR(s.chance_at(2), chance_two, 1e-12);
    EXPECT_NEAR(s.perfect_return, gain / kUltimateXBet, (s.gain_error + 1e-12) / kUltimateXBet);
}

// Where nothing earns more than 1X every total is the same, and perfect play is plain play at
// twice the bet.
TEST(UltimateX, EveryMultiplierOneIsThePlainGameExactly) {
    const Tallies& tallies = shared_tallies("jacks-or-better-9-6");
    const MultiplierTable table = table_of(tallies.game(), 3, [](std::size_t) { return 1; });
    const UltimateXSolution s = solve_ultimate_x(tallies, table, 2);
    const double plain = game_return(tallies, 2).return_rate();
    ASSERT_EQ(s.state_count(), 1u);
    // Exactly, but for the rounding of sums over 134,459 classes of deals.
    EXPECT_NEAR(s.gain, 3 * plain, 1e-11);
    EXPECT_NEAR(s.perfect_return * kUltimateXBet, plain, 1e-11);
    EXPECT_NEAR(s.plain_return * kUltimateXBet, plain, 1e-11);
    EXPECT_NEAR(s.thumb_return * kUltimateXBet, plain, 1e-11);
    EXPECT_NEAR(s.average_multiplier, 1.0, 1e-12);
    EXPECT_EQ(s.gain_error, 0.0);
}

// Three lines of 8/6 Jacks or Better played round after round by the solution's own policy:
// deals drawn by their classes' weights, each line's final hand drawn from the hold's exact
// distribution, the multipliers carried. The mean win per round lies within four standard
// errors (from batch means: rounds depend on the round before) of the gain.
TEST(UltimateX, PlayByItsOwnPolicyMeetsItsGainWithinFourStandardErrors) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-8-6");
    const Game& game = tallies.game();
    const MultiplierTable& table = *game.multipliers_for(3);
    const UltimateXSolution s = solve_ultimate_x(tallies, table, 2);
    const std::vector<DealClass> classes = deal_classes(false);
    std::vector<double> cumulative;
    double sum = 0;
    for (const DealClass& c : classes) {
        cumulative.push_back(sum += c.weight);
    }
    std::mt19937_64 random(26);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    constexpr int kRounds = 300'000;
    constexpr int kBatch = 1'000;
    std::array<int, 3> carried = {1, 1, 1};
    std::vector<double> batches;
    double batch = 0;
    for (int round = 1; round <= kRounds; ++round) {
        const auto i = static_cast<std::size_t>(
            std::upper_bound(cumulative.begin(), cumulative.end(), unit(random) * sum) -
            cumulative.begin());
        const int total = carried[0] + carried[1] + carried[2];
        const SortedDeal deal(classes[i].cards);
        const Tallies::Lanes<std::int32_t> counts = count_hold(tallies, deal, s.hold_for(i, total));
        std::int64_t draws = 0;
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            draws += counts[r];
        }
        for (int& m : carried) {
            auto pick = static_cast<std::int64_t>(unit(random) * static_cast<double>(draws));
            std::size_t r = 0;
            while (pick >= counts[r]) {
                pick -= counts[r++];
            }
            batch += m * static_cast<double>(game.pay(r)) / static_cast<double>(game.pay_scale());
            m = table.earned[r];
        }
        if (round % kBatch == 0) {
            batches.push_back(batch / kBatch);
            batch = 0;
        }
    }
    double mean = 0;
    for (const double b : batches) {
        mean += b / static_cast<double>(batches.size());
    }
    double spread = 0;
    for (const double b : batches) {
        spread += (b - mean) * (b - mean) / static_cast<double>(batches.size() - 1);
    }
    const double error = std::sqrt(spread / static_cast<double>(batches.size()));
    EXPECT_LT(std::abs(mean - s.gain), 4 * error) << mean << " against " << s.gain;
}

// The figures built into quillon-odds are the solver's own: one game solved afresh agrees.
TEST(UltimateX, KnownFiguresAreTheSolversOwn) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("jacks-or-better-8-6");
    const auto known = known_ultimate_x("jacks-or-better-8-6", tallies.game(), 1);
    ASSERT_TRUE(known);
    const UltimateXSolution s = solve_ultimate_x(tallies, *tallies.game().multipliers_for(1), 2);
    EXPECT_DOUBLE_EQ(known->gain, s.gain);
    EXPECT_DOUBLE_EQ(known->plain_return, s.plain_return);
    EXPECT_DOUBLE_EQ(known->round_deviation, s.round_deviation);
    ASSERT_EQ(known->value.size(), s.value.size());
    for (std::size_t t = 0; t < s.value.size(); ++t) {
        EXPECT_DOUBLE_EQ(known->value[t], s.value[t]) << t;
        EXPECT_DOUBLE_EQ(known->chance[t], s.chance[t]) << t;
    }
}

// A deal's holds by full value: sorted, each win T times its plain value, and the plain ranks
// a reordering of the 32 holds. A pair of jacks with four to a flush: at 1X a line the pair's
// sure 2X keeps it; with every line at 12X this hand's pays count most and the flush draw wins.
TEST(UltimateX, HoldRankingWeighsTheWinAgainstTheMultipliersLeft) {
    const Tallies& tallies = shared_tallies("jacks-or-better-8-6");
    const Game& game = tallies.game();
    const auto known = known_ultimate_x("jacks-or-better-8-6", game, 10);
    ASSERT_TRUE(known);
    const FastClassifier classifier(game);
    const std::array<CardId, 5> deal = parse_deal("s11 h11 h3 h7 h9");
    for (const int total : {10, 120}) {
        const std::vector<UltimateXHold> holds =
            rank_ultimate_x_holds(*known, game, classifier, deal, total);
        ASSERT_EQ(holds.size(), kHoldCount);
        std::vector<int> ranks;
        for (std::size_t i = 0; i < holds.size(); ++i) {
            EXPECT_DOUBLE_EQ(holds[i].win, total * holds[i].plain_value);
            if (i > 0) {
                EXPECT_GE(holds[i - 1].full_value(), holds[i].full_value());
            }
            ranks.push_back(holds[i].plain_rank);
        }
        std::sort(ranks.begin(), ranks.end());
        for (int r = 0; r < static_cast<int>(kHoldCount); ++r) {
            EXPECT_EQ(ranks[static_cast<std::size_t>(r)], r);
        }
    }
    EXPECT_THROW(rank_ultimate_x_holds(*known, game, classifier, deal, 9), std::invalid_argument);
}

}  // namespace
}  // namespace quillon::odds

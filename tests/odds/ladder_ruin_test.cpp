// Ruin without end for walks that fall several steps at once: the ladder heights from the roots
// against closed forms, and a round's exact chance against the bankroll's equations solved
// directly on a small made-up game.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <numbers>
#include <tuple>

#include "odds/risk/round_result.h"
#include "odds/risk/round_ruin.h"
#include "odds/risk/session_risk.h"
#include "tests/odds/ladder/ladder_ruin.h"
#include "tests/odds/ladder/round_ladder_roots.h"

namespace quillon::odds {
namespace {

using Complex = std::complex<double>;

// A walk given by its steps and their chances.
WalkPgf walk(const std::map<int, double>& steps) {
    return [steps](Complex z, Complex* slope) {
        Complex value = 0.0;
        Complex dv = 0.0;
        for (const auto& [x, p] : steps) {
            const Complex v = std::pow(z, x);
            value += p * v;
            dv += p * static_cast<double>(x) * v / z;
        }
        *slope = dv;
        return value;
    };
}

// First guesses for a walk that falls `down` steps: one real root near 1, one near -1 where
// their number is even, and the rest spread around a small circle above the axis (from outside
// the roots, Newton's steps may go on to the walk's roots outside the unit circle).
std::vector<Complex> spread(int down) {
    std::vector<Complex> out = {{0.95, 0.0}};
    if (down % 2 == 0) {
        out.emplace_back(-0.3, 0.0);
    }
    const int pairs = (down - static_cast<int>(out.size())) / 2;
    for (int k = 1; k <= pairs; ++k) {
        out.push_back(std::polar(0.3, std::numbers::pi * k / (pairs + 1)));
    }
    return out;
}

TEST(LadderRuin, MatchesTheClosedFormOfAWalkThatFallsTwoOrRisesOne) {
    // Steps -2 (q) and +1 (p): E[z^step] = 1 is (z - 1)(p z^2 - q z - q) = 0, and the chance of
    // ever falling below 2 from b is a z+^b + c z-^b with the chance 1 at 0 and 1.
    const double p = 0.8;
    const double q = 0.2;
    const double root = std::sqrt(q * q + 4.0 * p * q);
    const double up = (q + root) / (2.0 * p);
    const double low = (q - root) / (2.0 * p);
    const LadderRuin ladder = ladder_ruin(walk({{-2, q}, {1, p}}), 2, {{0.9, 0.0}, {-0.3, 0.0}});
    ASSERT_TRUE(ladder.found()) << ladder.not_found;
    ASSERT_EQ(ladder.ladder.size(), 2u);
    // (z - up)(z - low) = z^2 - h1 z - h2.
    EXPECT_NEAR(static_cast<double>(ladder.ladder[0]), up + low, 1e-14);
    EXPECT_NEAR(static_cast<double>(ladder.ladder[1]), -up * low, 1e-14);
    const std::vector<long double> chance = ladder.chances(60);
    for (const int b : {2, 3, 4, 10, 30, 61}) {
        const double exact =
            (std::pow(up, b) * (1.0 - low) - std::pow(low, b) * (1.0 - up)) / (up - low);
        // A bankroll of b is lost with a fall of b - 1.
        EXPECT_NEAR(static_cast<double>(chance[static_cast<std::size_t>(b - 1)]), exact,
                    1e-14 * std::max(exact, 1e-3))
            << b;
    }
    // One step down at most: the gambler's ruin, (q/p)^b.
    const LadderRuin coin = ladder_ruin(walk({{-1, 0.45}, {1, 0.55}}), 1, {{0.5, 0.0}});
    ASSERT_TRUE(coin.found());
    EXPECT_NEAR(static_cast<double>(coin.chances(7)[7]), std::pow(0.45 / 0.55, 7), 1e-14);
}

TEST(LadderRuin, RefusesRootsWhoseHeightsAreNotChances) {
    // A negative root gives a negative height; roots whose heights add up to 1 or more are
    // not those of a walk that rises on average.
    EXPECT_FALSE(ladder_of_roots({{-0.5L, 0.0L}}).found());
    EXPECT_FALSE(ladder_of_roots({{0.7L, 0.0L}, {0.6L, 0.0L}}).found());
    EXPECT_FALSE(ladder_of_roots({{0.5L, 0.2L}}).found());  // no conjugate
    const LadderRuin pair = ladder_of_roots({{-0.2L, 0.5L}, {-0.2L, -0.5L}, {0.9L, 0.0L}});
    EXPECT_TRUE(pair.found()) << pair.not_found;
    // A walk that falls three steps needs three roots: one guess is not enough.
    const LadderRuin missing = ladder_ruin(walk({{-3, 0.1}, {1, 0.9}}), 3, {{0.9, 0.0}});
    EXPECT_FALSE(missing.found());
    EXPECT_FALSE(missing.not_found.empty());
}

// A game of three pays (0, 1 and 3 a coin) and two kinds of deal, one better than the other.
DealOutcomes small_game() {
    DealOutcomes out;
    out.rows = 3;
    out.counts = {5, 3, 2, 2, 3, 5};
    out.draws = {10, 10};
    out.deals = {3, 1};
    out.all_deals = 4;
    return out;
}
const std::vector<std::int64_t> kSmallPays = {0, 1, 3};

// The round's whole result, in steps of 1/scale bet: each deal's N draws counted by convolution.
std::map<int, double> small_rounds(int play, const std::vector<std::int64_t>& pays = kSmallPays,
                                   int scale = 1) {
    const DealOutcomes game = small_game();
    std::map<int, double> out;
    for (std::size_t d = 0; d < game.size(); ++d) {
        std::map<int, double> sum = {{0, 1.0}};
        for (int hand = 0; hand < play; ++hand) {
            std::map<int, double> next;
            for (const auto& [x, p] : sum) {
                for (std::size_t r = 0; r < game.rows; ++r) {
                    next[x + static_cast<int>(pays[r]) - scale] +=
                        p * game.counts_of(d)[r] / static_cast<double>(game.draws[d]);
                }
            }
            sum = std::move(next);
        }
        for (const auto& [x, p] : sum) {
            out[x] += p * static_cast<double>(game.deals[d]) / static_cast<double>(game.all_deals);
        }
    }
    return out;
}

// The chance of ruin from every bankroll below `top` by the bankroll's own equations,
// r(b) = sum of P(x) r(b + x) from `bottom` up, r = 1 below, r = 0 from `top` on, solved by
// Gaussian elimination.
std::vector<double> solved_ruin(const std::map<int, double>& round, int bottom, int top) {
    const int n = top;
    std::vector<std::vector<double>> a(static_cast<std::size_t>(n),
                                       std::vector<double>(static_cast<std::size_t>(n) + 1, 0.0));
    for (int b = 0; b < n; ++b) {
        auto& row = a[static_cast<std::size_t>(b)];
        row[static_cast<std::size_t>(b)] = 1.0;
        if (b < bottom) {
            row[static_cast<std::size_t>(n)] = 1.0;
            continue;
        }
        for (const auto& [x, p] : round) {
            if (b + x < n) {
                row[static_cast<std::size_t>(b + x)] -= p;
            }
        }
    }
    for (std::size_t c = 0; c < a.size(); ++c) {
        for (std::size_t r = c + 1; r < a.size(); ++r) {
            const double f = a[r][c] / a[c][c];
            if (f != 0.0) {
                for (std::size_t k = c; k < a[r].size(); ++k) {
                    a[r][k] -= f * a[c][k];
                }
            }
        }
    }
    std::vector<double> r(a.size(), 0.0);
    for (std::size_t c = a.size(); c-- > 0;) {
        double sum = a[c].back();
        for (std::size_t k = c + 1; k < a.size(); ++k) {
            sum -= a[c][k] * r[k];
        }
        r[c] = sum / a[c][c];
    }
    return r;
}

TEST(RoundRuin, ExactChanceWithoutEndSolvesTheBankrollsEquations) {
    for (const int play : {3, 10}) {
        const RoundResult round(small_game(), kSmallPays, 1, play);
        ASSERT_GT(round.mean(), 0.0);
        const std::map<int, double> whole = small_rounds(play);
        const std::vector<double> solved = solved_ruin(whole, play, 500);
        const std::vector<int> bankrolls = {play, play + 1, 2 * play, 25, 40, 60};
        const RoundRuin ruin = round_ruin_ever(round, bankrolls);
        ASSERT_TRUE(ruin.not_exact.empty()) << ruin.not_exact;
        for (std::size_t i = 0; i < bankrolls.size(); ++i) {
            const double expected = solved[static_cast<std::size_t>(bankrolls[i])];
            EXPECT_NEAR(ruin.ever[i], expected, 1e-12 + 1e-9 * expected)
                << play << " hands, " << bankrolls[i] << " bets";
            // Strictly inside the bounds: a round can fall past the bottom.
            EXPECT_GT(ruin.ever[i], ruin.at_least[i]);
            EXPECT_LT(ruin.ever[i], ruin.at_most[i]);
        }
        // The same from the whole distribution as a walk of its own, its roots found afresh.
        const LadderRuin direct = ladder_ruin(walk(whole), play, spread(play));
        ASSERT_TRUE(direct.found()) << direct.not_found;
        const std::vector<long double> chance = direct.chances(60);
        EXPECT_NEAR(static_cast<double>(chance[static_cast<std::size_t>(40 - play + 1)]),
                    solved[40], 1e-12);
    }
    // A pay of 3.5: the round counted in half bets, a round of 3 hands falling up to 6 of them.
    const std::vector<std::int64_t> halves = {0, 2, 7};
    const RoundResult round(small_game(), halves, 2, 3);
    ASSERT_EQ(round.units(), 2);
    ASSERT_EQ(round.down(), 6);
    ASSERT_GT(round.mean(), 0.0);
    const std::vector<double> solved = solved_ruin(small_rounds(3, halves, 2), 6, 300);
    const RoundRuin ruin = round_ruin_ever(round, {3, 4, 10, 30});
    ASSERT_TRUE(ruin.not_exact.empty()) << ruin.not_exact;
    for (const auto& [i, b] : {std::pair{0, 3}, {1, 4}, {2, 10}, {3, 30}}) {
        const auto k = static_cast<std::size_t>(i);
        EXPECT_NEAR(ruin.ever[k], solved[static_cast<std::size_t>(2 * b)], 1e-12)
            << b << " bets in halves";
        // The bounds in halves: the bankroll may be lost at N - 1/2 bets.
        EXPECT_NEAR(ruin.at_most[k], std::pow(round.ruin_root(), b - 3 + 0.5), 1e-15);
        EXPECT_LT(ruin.ever[k], ruin.at_most[k]);
    }
    // One hand a round: the ladder is the root z itself.
    const RoundResult one(small_game(), kSmallPays, 1, 1);
    const LadderRuin single = ladder_by_roots(one);
    ASSERT_TRUE(single.found());
    EXPECT_NEAR(static_cast<double>(single.ladder[0]), one.ruin_root(), 1e-14);
}

// Rounds of 50 and 100 hands fall up to as many steps at once, past where the roots are sought:
// the chances from the circle's heights solve the bankroll's equations,
// R(m) = sum of P(x) R(m + x), R(m <= 0) = 1, at every fall up to well past the bounds' reach.
TEST(RoundRuin, LargeRoundsSolveTheBankrollsEquations) {
    // Whole pays, and a pay of 3.5 counted in half bets: the rounds' results then nearly all
    // fall on whole bets, and beside z a root lies near -z, as near the unit circle.
    const std::vector<std::int64_t> halves = {0, 2, 7};
    for (const auto& [play, pays, scale] :
         {std::tuple{50, kSmallPays, 1}, {100, kSmallPays, 1}, {3, halves, 2}, {20, halves, 2}}) {
        const RoundResult round(small_game(), pays, scale, play);
        CircleRule rule;
        const LadderRuin ladder = ladder_from_circle(round, kCircleWork, &rule);
        ASSERT_TRUE(ladder.found()) << ladder.not_found;
        EXPECT_LE(rule.points, 16384) << play << " hands: the circle needs few points";
        const std::map<int, double> whole = small_rounds(play, pays, static_cast<int>(scale));
        const int top = whole.rbegin()->first;
        constexpr int kFalls = 1200;
        const std::vector<long double> r = ladder.chances(kFalls + top);
        const auto at = [&](int m) { return m <= 0 ? 1.0L : r[static_cast<std::size_t>(m)]; };
        for (int m = 1; m <= kFalls; ++m) {
            long double next = 0.0L;
            for (const auto& [x, p] : whole) {
                next += static_cast<long double>(p) * at(m + x);
            }
            ASSERT_NEAR(static_cast<double>(next / at(m)), 1.0, 1e-9) << play << " hands, " << m;
        }
        // And they fall between the martingale's bounds, not on either.
        const RoundRuin ruin = round_ruin_ever(round, {play, 2 * play, 500});
        ASSERT_TRUE(ruin.not_exact.empty()) << ruin.not_exact;
        for (std::size_t i = 0; i < ruin.ever.size(); ++i) {
            EXPECT_GT(ruin.ever[i], ruin.at_least[i]);
            EXPECT_LT(ruin.ever[i], ruin.at_most[i]);
        }
    }
}

}  // namespace
}  // namespace quillon::odds

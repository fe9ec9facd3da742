// The chance of ruin within a session of multi-play rounds: the rounds' distributions against
// every deal's hands counted one by one, the recursion on the bankroll term by term and on the
// circle against a plain one and a seeded simulation, and the transform it uses.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <map>
#include <random>
#include <vector>

#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_distribution.h"
#include "odds/risk/round_result.h"
#include "odds/risk/ruin_within.h"
#include "odds/risk/session_risk.h"
#include "tools/ruin_table/circle_transform.h"
#include "tools/ruin_table/session_ruin.h"

namespace quillon::odds {
namespace {

TEST(CircleTransform, IsTheFourierSumAndComesBack) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (const std::size_t size : {4u, 8u, 32u, 256u}) {
        std::vector<double> x(size);
        for (double& v : x) {
            v = value(random);
        }
        std::vector<double> re(size / 2 + 1);
        std::vector<double> im(size / 2 + 1);
        const RealCircleTransform<double> transform(size);
        transform.forward(x.data(), re.data(), im.data());
        for (std::size_t k = 0; k <= size / 2; ++k) {
            std::complex<long double> sum = 0.0L;
            for (std::size_t j = 0; j < size; ++j) {
                sum += static_cast<long double>(x[j]) *
                       std::polar(1.0L, -2.0L * std::numbers::pi_v<long double> *
                                            static_cast<long double>(j * k % size) /
                                            static_cast<long double>(size));
            }
            EXPECT_NEAR(re[k], static_cast<double>(sum.real()), 1e-12) << size << " " << k;
            EXPECT_NEAR(im[k], static_cast<double>(sum.imag()), 1e-12) << size << " " << k;
        }
        std::vector<double> back(size);
        transform.inverse(re.data(), im.data(), back.data());
        for (std::size_t j = 0; j < size; ++j) {
            EXPECT_NEAR(back[j], x[j], 1e-14) << size << " " << j;
        }
        // The complex one alone, in long double, the same way round.
        std::vector<long double> cre(x.begin(), x.end());
        std::vector<long double> cim(size, 0.0L);
        const CircleTransform<long double> plain(size);
        plain.forward(cre.data(), cim.data());
        EXPECT_NEAR(static_cast<double>(cre[1]), re[1], 1e-12);
        EXPECT_NEAR(static_cast<double>(cim[size - 1]), -im[1], 1e-12);
        plain.inverse(cre.data(), cim.data());
        EXPECT_NEAR(static_cast<double>(cre[size - 1]), x[size - 1], 1e-15);
    }
}

// A game of four pays (0, 1, 2.5 and 6 bets, in halves) and two kinds of deal; it pays back
// some 3.75%. With `lose` its pays are 0, 1, 2 and 5 and it pays back 90%.
DealOutcomes four_pay_game() {
    DealOutcomes out;
    out.rows = 4;
    out.counts = {5, 3, 1, 1, 6, 2, 2, 0};
    out.draws = {10, 10};
    out.deals = {3, 1};
    out.all_deals = 4;
    return out;
}
const std::vector<std::int64_t> kWinning = {0, 2, 5, 12};
const std::vector<std::int64_t> kLosing = {0, 2, 4, 10};

// Every sequence of N hands of every deal, in steps of half a bet (whole bets for the losing
// pays, whose results are all whole).
std::map<std::int64_t, double> every_round(const std::vector<std::int64_t>& pays, int play,
                                           std::int64_t step) {
    const DealOutcomes game = four_pay_game();
    std::map<std::int64_t, double> out;
    for (std::size_t d = 0; d < game.size(); ++d) {
        const double w = static_cast<double>(game.deals[d]) / static_cast<double>(game.all_deals);
        std::vector<std::size_t> rows(static_cast<std::size_t>(play), 0);
        while (true) {
            double p = w;
            std::int64_t x = 0;
            for (const std::size_t r : rows) {
                p *= game.counts_of(d)[r] / static_cast<double>(game.draws[d]);
                x += (pays[r] - 2) / step;
            }
            if (p > 0.0) {
                out[x] += p;
            }
            std::size_t i = 0;
            while (i < rows.size() && ++rows[i] == game.rows) {
                rows[i++] = 0;
            }
            if (i == rows.size()) {
                break;
            }
        }
    }
    return out;
}

TEST(RoundDistributions, AreEveryDealsHandsCountedOneByOne) {
    for (const auto& [pays, step] : {std::pair{kWinning, 1}, std::pair{kLosing, 2}}) {
        const RoundResult one(four_pay_game(), pays, 2, 1);
        ASSERT_EQ(one.units(), 2 / step);
        constexpr std::int64_t kLimit = 12;
        const std::vector<RoundDistribution> rounds = round_distributions(one, 4, kLimit);
        ASSERT_EQ(rounds.size(), 4u);
        for (int n = 1; n <= 4; ++n) {
            const RoundDistribution& p = rounds[static_cast<std::size_t>(n - 1)];
            EXPECT_EQ(p.down, n * one.units());
            ASSERT_EQ(p.chance.size(), static_cast<std::size_t>(kLimit + p.down));
            const std::map<std::int64_t, double> want = every_round(pays, n, step);
            for (std::size_t y = 0; y < p.chance.size(); ++y) {
                const std::int64_t x = static_cast<std::int64_t>(y) - p.down;
                const auto at = want.find(x);
                EXPECT_NEAR(p.chance[y], at == want.end() ? 0.0 : at->second, 1e-15)
                    << n << " hands, " << x;
            }
        }
        // Nothing cut off: the whole mass, and the round's own mean.
        const std::vector<RoundDistribution> whole = round_distributions(one, 6, 1000);
        for (int n = 1; n <= 6; ++n) {
            const RoundDistribution& p = whole[static_cast<std::size_t>(n - 1)];
            double mass = 0.0;
            double mean = 0.0;
            for (std::size_t y = 0; y < p.chance.size(); ++y) {
                mass += p.chance[y];
                mean += p.chance[y] * static_cast<double>(static_cast<std::int64_t>(y) - p.down);
            }
            EXPECT_NEAR(mass, 1.0, 1e-14) << n;
            const RoundResult round(four_pay_game(), pays, 2, n);
            EXPECT_NEAR(mean / static_cast<double>(one.units()), round.mean(), 1e-13) << n;
        }
    }
}

// The recursion as plainly as it can be written: every result of the whole distribution at
// every bankroll, nothing cut off.
std::vector<double> plain_ruin(const std::map<std::int64_t, double>& round, int rounds,
                               std::int64_t lost_below, std::int64_t top) {
    std::vector<double> r(static_cast<std::size_t>(top), 0.0);
    for (std::int64_t b = 0; b < lost_below; ++b) {
        r[static_cast<std::size_t>(b)] = 1.0;
    }
    for (int k = 0; k < rounds; ++k) {
        std::vector<double> next = r;
        for (std::int64_t b = lost_below; b < top; ++b) {
            double sum = 0.0;
            for (const auto& [x, p] : round) {
                if (b + x < top) {
                    sum += p * r[static_cast<std::size_t>(b + x)];
                }
            }
            next[static_cast<std::size_t>(b)] = sum;
        }
        r = std::move(next);
    }
    return r;
}

RoundDistribution as_distribution(const std::map<std::int64_t, double>& round) {
    RoundDistribution out;
    out.down = -round.begin()->first;
    out.chance.assign(static_cast<std::size_t>(round.rbegin()->first + out.down + 1), 0.0);
    for (const auto& [x, p] : round) {
        out.chance[static_cast<std::size_t>(x + out.down)] = p;
    }
    return out;
}

TEST(SessionRuin, TermByTermAndOnTheCircleAreThePlainRecursion) {
    for (const auto& [pays, step] : {std::pair{kWinning, 1}, std::pair{kLosing, 2}}) {
        for (const int play : {1, 3}) {
            const std::map<std::int64_t, double> whole = every_round(pays, play, step);
            const RoundDistribution round = as_distribution(whole);
            constexpr int kRounds = 25;
            const std::int64_t lost = round.down;
            // Far enough up that the plain one's cut is past every state that matters.
            const std::int64_t top = lost + (kRounds + 1) * round.down + 200;
            const std::vector<double> want = plain_ruin(whole, kRounds, lost, top);
            const std::vector<std::int64_t> bankrolls = {
                0, lost - 1, lost, lost + 3, 4 * lost + 1, 20 * lost, 26 * lost};
            const double z = walk_root(round);
            EXPECT_EQ(z < 1.0, step == 1) << "the winning pays drift up";
            const std::vector<double> direct =
                ruin_within(round_steps(round), kRounds, lost, bankrolls);
            const WithinRounds tilted = ruin_within_circle(round, kRounds, lost, bankrolls, z);
            const WithinRounds flat = ruin_within_circle(round, kRounds, lost, bankrolls, 1.0);
            for (std::size_t i = 0; i < bankrolls.size(); ++i) {
                const double w = want[static_cast<std::size_t>(bankrolls[i])];
                const std::string at =
                    std::to_string(play) + " hands, bankroll " + std::to_string(bankrolls[i]);
                EXPECT_NEAR(direct[i], w, 1e-13 * w) << at;
                EXPECT_NEAR(tilted.chance[i], w, std::max(tilted.error[i], 1e-300)) << at;
                EXPECT_NEAR(flat.chance[i], w, std::max(flat.error[i], 1e-300)) << at;
                EXPECT_LT(tilted.error[i], 1e-10) << at;
            }
            EXPECT_EQ(direct[0], 1.0);
            EXPECT_EQ(direct.back(), 0.0) << "26 rounds' losses cannot empty it in 25";
        }
    }
}

// Far up a winning walk the chance is tiny; tilted, the circle keeps its relative precision,
// where untilted its rounding would swamp it.
TEST(SessionRuin, TheTiltKeepsSmallChancesToTheirDigits) {
    // A walk that rises a quarter of a step a round on average: from -2 to +8 steps.
    const RoundDistribution round =
        as_distribution({{-2, 0.45}, {-1, 0.1}, {0, 0.1}, {1, 0.15}, {3, 0.1}, {8, 0.1}});
    constexpr int kRounds = 300;
    const std::vector<std::int64_t> bankrolls = {10, 200, 400};
    const std::vector<double> direct = ruin_within(round_steps(round), kRounds, 2, bankrolls);
    ASSERT_LT(direct[1], 1e-7);
    ASSERT_LT(direct[2], 1e-25);
    ASSERT_GT(direct[2], 1e-40);
    const double root = walk_root(round);
    const WithinRounds tilted = ruin_within_circle(round, kRounds, 2, bankrolls, root);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(tilted.chance[i] / direct[i], 1.0, 1e-9) << bankrolls[i];
        EXPECT_TRUE(within_exact(tilted.chance[i], tilted.error[i])) << bankrolls[i];
    }
    // Untilted, the rounding reaches the chance's digits at 200.
    const WithinRounds flat = ruin_within_circle(round, kRounds, 2, bankrolls, 1.0);
    EXPECT_FALSE(within_exact(flat.chance[1], flat.error[1]));
    // At 400 ruin within the session is far rarer than without end (some 1e-16): the root's
    // tilt is not enough there, the fall's own is.
    EXPECT_FALSE(within_exact(tilted.chance[2], tilted.error[2]));
    const double own = session_tilt(round, kRounds, 399, root);
    EXPECT_LT(own, root);
    const WithinRounds far = ruin_within_circle(round, kRounds, 2, {400}, own);
    EXPECT_NEAR(far.chance[0] / direct[2], 1.0, 1e-9);
    EXPECT_TRUE(within_exact(far.chance[0], far.error[0]));
    EXPECT_EQ(session_tilt(round, kRounds, 20, root), root) << "a short fall: ruin's usual way";
    // The faster of the two is chosen: a round of few results takes the direct sums.
    EXPECT_FALSE(within_by_circle(round, kRounds));
}

// Rounds played one after another from the bankroll: each deal drawn by its weight, each of its
// hands from its own distribution, until the bankroll cannot pay a round or the session ends.
TEST(SessionRuin, AgreesWithASeededSimulationOfRounds) {
    const DealOutcomes game = four_pay_game();
    constexpr int kPlay = 4;
    constexpr int kRounds = 30;
    constexpr std::int64_t kBankroll = 25;  // in halves of a bet: 12.5 bets
    const RoundResult one(game, kWinning, 2, 1);
    const std::vector<RoundDistribution> rounds = round_distributions(one, kPlay, 1000);
    const RoundDistribution& round = rounds.back();
    const double exact = ruin_within_rounds(round, kRounds, 2 * kPlay, {kBankroll}).chance[0];
    std::mt19937_64 random(99);
    std::discrete_distribution<std::size_t> deal(game.deals.begin(), game.deals.end());
    std::vector<std::discrete_distribution<std::size_t>> hand;
    for (std::size_t d = 0; d < game.size(); ++d) {
        hand.emplace_back(game.counts_of(d), game.counts_of(d) + game.rows);
    }
    constexpr int kWalks = 40'000;
    int ruined = 0;
    for (int walk = 0; walk < kWalks; ++walk) {
        std::int64_t bankroll = kBankroll;
        for (int k = 0; k < kRounds && bankroll >= 2 * kPlay; ++k) {
            const std::size_t d = deal(random);
            for (int h = 0; h < kPlay; ++h) {
                bankroll += kWinning[hand[d](random)] - 2;
            }
        }
        ruined += bankroll < 2 * kPlay ? 1 : 0;
    }
    const double seen = static_cast<double>(ruined) / kWalks;
    const double error = std::sqrt(exact * (1.0 - exact) / kWalks);
    ASSERT_GT(exact, 0.05);
    EXPECT_NEAR(seen, exact, 4.0 * error);
}

}  // namespace
}  // namespace quillon::odds

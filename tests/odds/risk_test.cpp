// The risk of ruin against closed forms, brute force and seeded simulations.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include <unistd.h>

#include <nlohmann/json.hpp>

#include "odds/play/game_return.h"
#include "odds/risk/session_risk.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

HandResults coin_flip(double win) {
    HandResults r;
    r.net = {-1.0, 1.0};
    r.net_units = {-1, 1};
    r.probability = {1.0 - win, win};
    return r;
}

// Every sequence of `hands` results, the bankroll followed hand by hand.
double ruin_by_enumeration(const HandResults& r, int bankroll, int hands) {
    double ruined = 0.0;
    const std::size_t outcomes = r.net_units.size();
    std::vector<std::size_t> pick(static_cast<std::size_t>(hands), 0);
    for (;;) {
        double p = 1.0;
        std::int64_t money = bankroll;
        bool broke = false;
        for (const std::size_t i : pick) {
            p *= r.probability[i];
            money += broke ? 0 : r.net_units[i];
            broke = broke || money < 1;
        }
        ruined += broke ? p : 0.0;
        std::size_t k = 0;
        while (k < pick.size() && ++pick[k] == outcomes) {
            pick[k++] = 0;
        }
        if (k == pick.size()) {
            break;
        }
    }
    return ruined;
}

TEST(RiskOfRuin, MatchesTheGamblersRuinOfACoinFlip) {
    const HandResults r = coin_flip(0.55);
    // Without end, (q/p)^b exactly.
    for (const int b : {1, 5, 20}) {
        EXPECT_NEAR(ruin_ever(r, b), std::pow(0.45 / 0.55, b), 1e-12);
    }
    EXPECT_DOUBLE_EQ(ruin_ever(coin_flip(0.5), 3), 1.0);
    EXPECT_DOUBLE_EQ(ruin_ever(coin_flip(0.4), 3), 1.0);
}

TEST(RiskOfRuin, WithinAFewHandsIsWhatEveryPathAddsUpTo) {
    HandResults r;
    r.net_units = {-1, 0, 1, 4};
    r.net = {-1.0, 0.0, 1.0, 4.0};
    r.probability = {0.5, 0.2, 0.2, 0.1};
    const std::vector<double> within = ruin_within(r, 8, 6);
    EXPECT_DOUBLE_EQ(within[0], 1.0);
    for (int b = 1; b <= 6; ++b) {
        EXPECT_NEAR(within[static_cast<std::size_t>(b)], ruin_by_enumeration(r, b, 8), 1e-12)
            << "bankroll " << b;
    }
    EXPECT_GT(within[6], 0.0);
    EXPECT_EQ(ruin_within(r, 5, 6)[6], 0.0) << "six bets cannot run out in five hands";
}

// The recursion as written, result by result over every bankroll, chances below 1e-40 dropped
// as the counted one drops them: that one takes the bankrolls a few at a time, and its every
// chance must be this sum to the last bit (the printed figures are compared byte for byte), both
// where every win lands within the states and near the top, where the royal's passes it.
std::vector<double> plain_ruin_within(HandResults r, int hands, int max_bankroll) {
    const std::int64_t bet = finest_units(r);
    for (std::int64_t& step : r.net_units) {
        step /= r.units_per_bet / bet;
    }
    const std::int64_t top = bet * (std::max(hands, max_bankroll) + 1);
    std::vector<double> old(static_cast<std::size_t>(top + 1), 0.0);
    std::fill(old.begin(), old.begin() + bet, 1.0);
    std::vector<double> next = old;
    for (int h = 1; h <= hands; ++h) {
        std::fill(next.begin() + bet, next.end(), 0.0);
        for (std::size_t i = 0; i < r.net_units.size(); ++i) {
            const std::int64_t step = r.net_units[i];
            for (std::int64_t b = bet; b <= top && b + step <= top; ++b) {
                next[static_cast<std::size_t>(b)] +=
                    r.probability[i] * old[static_cast<std::size_t>(b + step)];
            }
        }
        for (double& chance : next) {
            chance = chance < 1e-40 ? 0.0 : chance;
        }
        std::swap(old, next);
    }
    std::vector<double> out;
    for (int b = 0; b <= max_bankroll; ++b) {
        out.push_back(old[static_cast<std::size_t>(b * bet)]);
    }
    return out;
}

TEST(RiskOfRuin, WithinASessionIsThePlainSumToTheLastBit) {
    for (const char* game : {"jacks-or-better-9-6", "quillon"}) {
        const HandResults r = hand_results(game_return(shared_tallies(game)));
        const std::vector<double> counted = ruin_within(r, 300, 1000);
        const std::vector<double> plain = plain_ruin_within(r, 300, 1000);
        for (std::size_t b = 0; b < plain.size(); ++b) {
            ASSERT_EQ(counted[b], plain[b]) << game << ", bankroll " << b;
        }
        EXPECT_GT(counted[250], 0.0) << game;
    }
}

// A walk that loses nearly every hand and now and then wins big keeps chances above the dropped
// ones over thousands of bankrolls within a few thousand hands, where a hand's bankrolls are
// shared out over the cores: still the plain sum to the last bit.
TEST(RiskOfRuin, WithinASessionOnManyStatesIsThePlainSumToTheLastBit) {
    HandResults r;
    r.units_per_bet = 1;
    r.net_units = {-1, 39};
    r.net = {-1.0, 39.0};
    r.probability = {0.97, 0.03};
    const std::vector<double> counted = ruin_within(r, 2500, 2400);
    const std::vector<double> plain = plain_ruin_within(r, 2500, 2400);
    for (std::size_t b = 0; b < plain.size(); ++b) {
        ASSERT_EQ(counted[b], plain[b]) << "bankroll " << b;
    }
    EXPECT_GT(counted[2000], 0.0) << "the chances reach past two thousand bankrolls";
}

// A seeded simulation of whole sessions, hand by hand, with the game's final hands.
struct SimulatedRuin {
    double ruined;
    double error;
};

SimulatedRuin simulate(const HandResults& r, int bankroll, int hands, int stop_above, int sessions,
                       std::uint64_t seed) {
    std::mt19937_64 random(seed);
    std::discrete_distribution<std::size_t> hand(r.probability.begin(), r.probability.end());
    int ruined = 0;
    for (int s = 0; s < sessions; ++s) {
        std::int64_t money = bankroll;
        for (int h = 0; h < hands && money >= 1 && money < stop_above; ++h) {
            money += r.net_units[hand(random)];
        }
        ruined += money < 1 ? 1 : 0;
    }
    const double p = static_cast<double>(ruined) / sessions;
    return {p, std::sqrt(p * (1.0 - p) / sessions)};
}

TEST(RiskOfRuin, WithinASessionAgreesWithASeededSimulation) {
    QUILLON_WHOLE_GAME_SWEEP();
    const HandResults r = hand_results(game_return(shared_tallies("jacks-or-better-9-6")));
    const double exact = ruin_within(r, 600, 30)[30];
    const SimulatedRuin sim = simulate(r, 30, 600, 1 << 30, 20'000, 13);
    EXPECT_GT(exact, 0.1);
    EXPECT_NEAR(sim.ruined, exact, 4.0 * sim.error) << "exact " << exact;
}

// Quillon pays back more than it takes, so the chance without end is below one; a session
// that has reached 250 bets is counted safe (z^250 is far below the simulation's error).
TEST(RiskOfRuin, WithoutEndAgreesWithASeededSimulation) {
    QUILLON_WHOLE_GAME_SWEEP();
    const HandResults r = hand_results(game_return(shared_tallies("quillon")));
    const double exact = ruin_ever(r, 10);
    ASSERT_LT(std::pow(ruin_root(r), 250), 1e-4);
    const SimulatedRuin sim = simulate(r, 10, 1'000'000, 250, 10'000, 7);
    EXPECT_GT(exact, 0.3);
    EXPECT_LT(exact, 0.95);
    EXPECT_NEAR(sim.ruined, exact, 4.0 * sim.error + 1e-4) << "exact " << exact;
}

TEST(SessionRisk, SplitsTheVarianceByFinalHandAndFindsN0) {
    const GameReturn result = game_return(shared_tallies("jacks-or-better-9-6"));
    const SessionRisk risk = session_risk(result, {100, 400, 1000}, 2000);
    double shares = 0.0;
    for (const double s : risk.variance_share) {
        shares += s;
    }
    EXPECT_NEAR(shares, 1.0, 1e-12);
    // The royal flush is most of the variance of Jacks or Better.
    EXPECT_GT(risk.variance_share[0], 0.75);
    const double sd = result.standard_deviation();
    EXPECT_NEAR(risk.n0, 9.0 * sd * sd / (risk.edge * risk.edge), 1e-6 * risk.n0);
    // The game takes more than it pays: ruin without end is certain, and a longer session or a
    // smaller bankroll is riskier.
    EXPECT_EQ(risk.ruin_ever, (std::vector<double>{1.0, 1.0, 1.0}));
    EXPECT_GT(risk.ruin_within[0], risk.ruin_within[1]);
    EXPECT_GT(risk.ruin_within[1], risk.ruin_within[2]);
}

// Pays that divide a bet finely: the chance within a session is given where the results fall on
// halves of a bet, and otherwise said in one line not to be, in no more time or memory.
TEST(RiskOfRuin, FinePaysLeaveOutOnlyTheChanceWithinASession) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::string jacks =
        "name j\nwild none\nroyal 250 4000@5\nstraight-flush 50\nfour 25\nfull-house 9\n"
        "flush 6\nstraight 4\ntwo-pair 2\npair 1 jacks\n";
    struct Case {
        std::string text;
        bool within;
    };
    for (const Case& c :
         {Case{jacks + "three 3.01\n", false}, Case{jacks + "three 3.5\n", true},
          Case{jacks + "three 3.50000\n", true}, Case{jacks + "three 3.25\n", false},
          Case{"wild none\nroyal 0.0001\n", false},
          Case{"wild none\nroyal 0 0.0001@100\npair 0.0001 jacks\n", false}}) {
        // Named for this process: other runs of the suite may share the folder.
        const std::filesystem::path path = std::filesystem::path(::testing::TempDir()) /
                                           ("fine-pays-" + std::to_string(::getpid()) + ".game");
        std::ofstream(path) << c.text;
        const CliRun r = run({"return", "--game", path.string(), "--json"});
        if (r.status != 0) {
            // A reader that refuses the file does so in one line; then there is nothing to count.
            EXPECT_TRUE(r.err.starts_with("error: ")) << c.text;
            continue;
        }
        const nlohmann::json risk = nlohmann::json::parse(r.out)["risk"];
        EXPECT_EQ(risk["risk_of_ruin"][0]["within_hands"].is_null(), !c.within) << c.text;
        EXPECT_EQ(risk.contains("within_not_given"), !c.within) << c.text;
        EXPECT_TRUE(risk["risk_of_ruin"][0]["ever"].is_number()) << c.text;
        if (!c.within) {
            const CliRun text = run({"return", "--game", path.string()});
            EXPECT_NE(text.out.find("within 10000 hands is not given: the results divide a bet"),
                      std::string::npos)
                << text.out;
        }
    }
}

// Results on halves of a bet: the recursion in halves gives what it gives in the pay units.
TEST(RiskOfRuin, CountsTheBankrollInTheCoarsestUnitsOfTheResults) {
    HandResults halves;
    halves.net = {-1.0, 0.5, 2.0};
    halves.net_units = {-2, 1, 4};
    halves.units_per_bet = 2;
    halves.probability = {0.55, 0.35, 0.10};
    HandResults tenths = halves;
    tenths.net_units = {-20, 10, 40};
    tenths.units_per_bet = 20;
    EXPECT_EQ(finest_units(tenths), 2);
    EXPECT_EQ(ruin_within(tenths, 50, 10), ruin_within(halves, 50, 10));
}

}  // namespace
}  // namespace quillon::odds

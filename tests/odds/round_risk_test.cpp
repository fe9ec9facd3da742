// Multi-play rounds: N hands dealt once, drawn apart from the held cards. Their figures against
// one hand's, a seeded simulation of rounds and the root method on a round's whole result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <filesystem>
#include <fstream>
#include <map>
#include <numeric>
#include <random>

#include <nlohmann/json.hpp>

#include "base/combinatorics.h"
#include "odds/games/builtin_games.h"
#include "odds/games/game_file.h"
#include "odds/play/deal_outcomes.h"
#include "odds/play/hold_analysis.h"
#include "odds/risk/round_distribution.h"
#include "odds/risk/round_result.h"
#include "odds/risk/round_ruin.h"
#include "odds/risk/ruin_within.h"
#include "odds/risk/session_risk.h"
#include "tests/odds/ladder/ladder_ruin.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

const DealOutcomes& shared_outcomes(const std::string& game) {
    static std::map<std::string, DealOutcomes> built;
    auto [at, fresh] = built.try_emplace(game);
    if (fresh) {
        at->second = best_hold_outcomes(shared_tallies(game), 2);
    }
    return at->second;
}

TEST(RoundRisk, OneHandARoundIsTheGameItself) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const std::string game : {"quillon", "jacks-or-better-9-6", "deuces-wild-full-pay"}) {
        const Tallies& tallies = shared_tallies(game);
        const DealOutcomes& outcomes = shared_outcomes(game);
        const GameReturn direct = game_return(tallies, 2);
        const GameReturn grouped = game_return_of(outcomes, tallies.game());
        EXPECT_EQ(grouped.counts, direct.counts) << game;
        EXPECT_EQ(grouped.total, direct.total);
        const RoundResult one(outcomes, direct.pays, direct.pay_scale, 1);
        EXPECT_NEAR(one.mean(), direct.return_rate() - 1.0, 1e-12) << game;
        EXPECT_NEAR(std::sqrt(one.variance()), direct.standard_deviation(), 1e-9) << game;
        EXPECT_NEAR(one.ruin_root(), ruin_root(hand_results(direct)), 1e-12) << game;
        EXPECT_LT(outcomes.size(), 20'000u) << "deals share few distributions";
    }
    // And the command's figures: --play 1 prints what the plain command does.
    EXPECT_EQ(run({"return", "--game", "quillon", "--play", "1"}).out,
              run({"return", "--game", "quillon"}).out);
}

// A round played as a player plays it: a shuffled deck, the best hold, N draws apart.
struct Simulated {
    double mean = 0.0;
    double variance = 0.0;
    double variance_error = 0.0;
};

Simulated simulate_rounds(const Tallies& tallies, int play, int rounds, std::uint32_t seed) {
    const Game& game = tallies.game();
    const int deck = tallies.deck_size();
    const auto scale = static_cast<double>(game.pay_scale());
    std::mt19937 random(seed);
    std::vector<int> cards(static_cast<std::size_t>(deck));
    std::vector<double> results;
    for (int round = 0; round < rounds; ++round) {
        std::iota(cards.begin(), cards.end(), 0);
        std::shuffle(cards.begin(), cards.end(), random);
        std::array<int, 5> dealt{};
        std::copy_n(cards.begin(), 5, dealt.begin());
        std::sort(dealt.begin(), dealt.end());
        std::array<CardId, 5> deal{};
        for (std::size_t i = 0; i < 5; ++i) {
            deal[i] = deck_card(dealt[i], game.has_joker());
        }
        const HoldMask hold = holds_best_first(analyze_deal(tallies, deal), deal).front().mask;
        double result = 0.0;
        for (int hand = 0; hand < play; ++hand) {
            // The rest of the deck shuffled anew for each hand: its draws are its own.
            std::shuffle(cards.begin() + 5, cards.end(), random);
            std::array<int, 5> final_hand{};
            std::size_t next = 5;
            for (std::size_t i = 0; i < 5; ++i) {
                final_hand[i] = (hold >> i & 1u) != 0 ? dealt[i] : cards[next++];
            }
            std::sort(final_hand.begin(), final_hand.end());
            result += static_cast<double>(game.pay(tallies.row_of_hand(final_hand))) / scale - 1.0;
        }
        results.push_back(result);
    }
    const double mean = std::accumulate(results.begin(), results.end(), 0.0) / rounds;
    double m2 = 0.0;
    double m4 = 0.0;
    for (const double x : results) {
        m2 += (x - mean) * (x - mean) / rounds;
        m4 += std::pow(x - mean, 4) / rounds;
    }
    return {mean, m2, std::sqrt((m4 - m2 * m2) / rounds)};
}

// A table with no long shot, so that a simulation's variance settles quickly.
const Tallies& flat_tallies() {
    static const Tallies tallies(parse_game(
        "name flat\nwild none\nroyal 12\nstraight-flush 12\nfour 12\nfull-house 9\nflush 6\n"
        "straight 4\nthree 3\ntwo-pair 2\npair 1 jacks\n",
        "flat.game"));
    return tallies;
}

TEST(RoundRisk, MatchesASeededSimulationOfRounds) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = flat_tallies();
    const DealOutcomes outcomes = best_hold_outcomes(tallies, 2);
    const GameReturn result = game_return_of(outcomes, tallies.game());
    for (const int play : {3, 10}) {
        const RoundResult round(outcomes, result.pays, result.pay_scale, play);
        constexpr int kRounds = 60'000;
        const Simulated seen = simulate_rounds(tallies, play, kRounds, 1234u + play);
        const double error = std::sqrt(round.variance() / kRounds);
        EXPECT_NEAR(seen.mean, round.mean(), 4.0 * error) << play;
        // The variance of a sample's variance is (m4 - variance^2) / rounds.
        EXPECT_NEAR(seen.variance, round.variance(), 4.0 * seen.variance_error) << play;
        // The hands of a round are not independent: they share the deal and its hold.
        const double independent = play * result.standard_deviation() * result.standard_deviation();
        EXPECT_GT(round.variance(), 1.15 * independent) << play;
        EXPECT_GT(seen.variance, 1.1 * independent) << play;
    }
}

// The round's whole result, every triple of final hands of every deal counted.
HandResults three_hand_rounds(const DealOutcomes& outcomes, const GameReturn& result) {
    std::map<std::int64_t, long double> chance;
    const std::size_t rows = outcomes.rows;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const long double w = static_cast<long double>(outcomes.deals[i]) /
                              static_cast<long double>(outcomes.all_deals);
        const auto draws = static_cast<long double>(outcomes.draws[i]);
        const std::int32_t* counts = outcomes.counts_of(i);
        for (std::size_t a = 0; a < rows; ++a) {
            for (std::size_t b = 0; b < rows; ++b) {
                for (std::size_t c = 0; c < rows; ++c) {
                    const long double p =
                        w * counts[a] / draws * counts[b] / draws * counts[c] / draws;
                    if (p > 0.0L) {
                        chance[result.pays[a] + result.pays[b] + result.pays[c] -
                               3 * result.pay_scale] += p;
                    }
                }
            }
        }
    }
    HandResults round;
    round.units_per_bet = result.pay_scale;
    for (const auto& [net, p] : chance) {
        round.net_units.push_back(net);
        round.net.push_back(static_cast<double>(net) / static_cast<double>(result.pay_scale));
        round.probability.push_back(static_cast<double>(p));
    }
    return round;
}

TEST(RoundRisk, RuinWithoutEndIsTheRootMethodOnTheRoundsWholeResult) {
    const DealOutcomes& outcomes = shared_outcomes("quillon");
    const GameReturn result = game_return_of(outcomes, shared_tallies("quillon").game());
    const HandResults whole = three_hand_rounds(outcomes, result);
    const RoundResult round(outcomes, result.pays, result.pay_scale, 3);
    EXPECT_NEAR(whole.mean(), round.mean(), 1e-9);
    EXPECT_NEAR(whole.variance(), round.variance(), 1e-6 * round.variance());
    const double z = round.ruin_root();
    ASSERT_LT(z, 1.0);
    EXPECT_NEAR(z, ruin_root(whole), 1e-10);
    const SessionRisk risk = round_risk(outcomes, result, 3);
    ASSERT_TRUE(risk.ever_not_exact.empty()) << risk.ever_not_exact;
    // The exact chance from the whole result's own roots, found afresh: a bankroll below 3 bets
    // cannot pay a round, so b bets are lost with a fall of b - 2.
    std::map<int, double> steps;
    for (std::size_t i = 0; i < whole.net_units.size(); ++i) {
        steps[static_cast<int>(whole.net_units[i] / whole.units_per_bet)] += whole.probability[i];
    }
    const WalkPgf pgf = [&](std::complex<double> w, std::complex<double>* slope) {
        std::complex<double> v = 0.0;
        *slope = 0.0;
        for (const auto& [x, p] : steps) {
            v += p * std::pow(w, x);
            *slope += p * static_cast<double>(x) * std::pow(w, x - 1);
        }
        return v;
    };
    const LadderRuin ladder = ladder_ruin(pgf, 3, {{z, 0.0}, std::polar(0.3, 2.0)});
    ASSERT_TRUE(ladder.found()) << ladder.not_found;
    const std::vector<long double> chance = ladder.chances(1000);
    for (std::size_t i = 0; i < risk.bankrolls.size(); ++i) {
        const int b = risk.bankrolls[i];
        EXPECT_NEAR(risk.ruin_ever_at_least[i] / std::pow(ruin_root(whole), b), 1.0, 1e-6) << b;
        EXPECT_NEAR(
            risk.ruin_ever[i] / static_cast<double>(chance[static_cast<std::size_t>(b - 2)]), 1.0,
            1e-6)
            << b;
        EXPECT_GT(risk.ruin_ever[i], risk.ruin_ever_at_least[i]);
        EXPECT_GT(risk.ruin_ever_at_most[i], risk.ruin_ever[i]);
    }
    // A game that does not pay back ruins every bankroll.
    const DealOutcomes& jacks = shared_outcomes("jacks-or-better-9-6");
    const GameReturn lost = game_return_of(jacks, shared_tallies("jacks-or-better-9-6").game());
    EXPECT_EQ(RoundResult(jacks, lost.pays, lost.pay_scale, 10).ruin_root(), 1.0);
}

// The recursion within a session as written, result by result over every bankroll, chances
// below 1e-40 dropped as the counted one drops them. The counted one takes the bankrolls a few at
// a time and leaves out the results that can only land where no chance is left: for a round's
// thousands of results its every chance must still be this sum to the last bit.
std::vector<double> plain_rounds_within(const RoundSteps& round, int rounds,
                                        std::int64_t lost_below, std::int64_t top) {
    std::vector<double> old(static_cast<std::size_t>(top + 1), 0.0);
    std::fill(old.begin(), old.begin() + lost_below, 1.0);
    std::vector<double> next = old;
    for (int k = 1; k <= rounds; ++k) {
        std::fill(next.begin() + lost_below, next.end(), 0.0);
        for (std::size_t i = 0; i < round.step.size(); ++i) {
            const std::int64_t x = round.step[i];
            for (std::int64_t b = lost_below; b <= top && b + x <= top; ++b) {
                next[static_cast<std::size_t>(b)] +=
                    round.chance[i] * old[static_cast<std::size_t>(b + x)];
            }
        }
        for (double& chance : next) {
            chance = chance < 1e-40 ? 0.0 : chance;
        }
        std::swap(old, next);
    }
    return old;
}

TEST(RoundRisk, WithinASessionOfRoundsIsThePlainSumToTheLastBit) {
    QUILLON_WHOLE_GAME_SWEEP();
    const DealOutcomes& outcomes = shared_outcomes("quillon");
    const GameReturn result = game_return_of(outcomes, shared_tallies("quillon").game());
    constexpr int kPlay = 3;
    constexpr int kRounds = 150;
    const RoundResult round(outcomes, result.pays, result.pay_scale, kPlay);
    const std::int64_t lost = kPlay * round.units();
    const RoundSteps steps =
        round_steps(round_distributions(round, kPlay, std::int64_t{kRounds} * lost).back());
    ASSERT_GT(steps.step.size(), 50u) << "a round has many results";
    const std::int64_t top = lost + kRounds * round.down();
    std::vector<std::int64_t> bankrolls(static_cast<std::size_t>(top + 1));
    std::iota(bankrolls.begin(), bankrolls.end(), 0);
    const std::vector<double> counted = ruin_within(steps, kRounds, lost, bankrolls);
    const std::vector<double> plain = plain_rounds_within(steps, kRounds, lost, top);
    for (std::size_t b = 0; b < plain.size(); ++b) {
        ASSERT_EQ(counted[b], plain[b]) << "bankroll " << b;
    }
    EXPECT_GT(counted[static_cast<std::size_t>(top / 2)], 0.0);
    EXPECT_EQ(counted.back(), 0.0) << "the most a session can lose";
}

// Rounds of ten hands played one after another from a small bankroll, each deal drawn by its
// weight and each hand from the deal's own final-hand distribution, until the bankroll cannot
// pay a round or reaches a height from which the exact chance of ruin is far below the
// simulation's error.
TEST(RoundRisk, ExactRuinWithoutEndAgreesWithASeededSimulationOfTenHandRounds) {
    QUILLON_WHOLE_GAME_SWEEP();
    const DealOutcomes& outcomes = shared_outcomes("quillon");
    const GameReturn result = game_return_of(outcomes, shared_tallies("quillon").game());
    constexpr int kPlay = 10;
    const RoundResult round(outcomes, result.pays, result.pay_scale, kPlay);
    const RoundRuin ruin = round_ruin_ever(round, {30, 800});
    ASSERT_TRUE(ruin.not_exact.empty()) << ruin.not_exact;
    ASSERT_LT(ruin.ever[1], 1e-4);
    std::mt19937_64 random(2024);
    std::discrete_distribution<std::size_t> deal(outcomes.deals.begin(), outcomes.deals.end());
    std::vector<std::discrete_distribution<std::size_t>> hand;
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        hand.emplace_back(outcomes.counts_of(i), outcomes.counts_of(i) + outcomes.rows);
    }
    constexpr int kWalks = 10'000;
    const std::int64_t bet = result.pay_scale;
    int ruined = 0;
    for (int walk = 0; walk < kWalks; ++walk) {
        std::int64_t bankroll = 30 * bet;
        while (bankroll < 800 * bet) {
            if (bankroll < kPlay * bet) {
                ++ruined;
                break;
            }
            const std::size_t d = deal(random);
            for (int h = 0; h < kPlay; ++h) {
                bankroll += result.pays[hand[d](random)] - bet;
            }
        }
    }
    const double seen = static_cast<double>(ruined) / kWalks;
    const double error = std::sqrt(ruin.ever[0] * (1.0 - ruin.ever[0]) / kWalks);
    EXPECT_NEAR(seen, ruin.ever[0], 4.0 * error);
    // The lower bound z^bankroll is far off: the simulation tells them apart.
    EXPECT_GT(ruin.ever[0] - ruin.at_least[0], 8.0 * error);
}

TEST(RoundRisk, JsonGivesTheDeviationPerRoundInBetsOfOneHand) {
    const CliRun one = run({"return", "--game", "jacks-or-better-9-6", "--json"});
    const CliRun five = run({"return", "--game", "jacks-or-better-9-6", "--json", "--play", "5"});
    ASSERT_EQ(five.status, 0) << five.err;
    const nlohmann::json a = nlohmann::json::parse(one.out);
    const nlohmann::json b = nlohmann::json::parse(five.out);
    EXPECT_EQ(b["play"], 5);
    EXPECT_EQ(b["return"], a["return"]);
    const double hand = a["standard_deviation"];
    const double round = b["standard_deviation"];
    EXPECT_GT(round, std::sqrt(5.0) * hand);
    EXPECT_LT(round, 5.0 * hand);
    EXPECT_EQ(b["risk"]["standard_deviation"], round);
    EXPECT_TRUE(b["risk"]["risk_of_ruin"][0].contains("ever_at_most"));
    EXPECT_TRUE(b["risk"]["risk_of_ruin"][0]["ever_exact"].get<bool>());
    EXPECT_FALSE(a["risk"]["risk_of_ruin"][0].contains("ever_exact"));
    // Where the roots are not found in the command's time, the bounds stand, with the reason.
    const CliRun hundred =
        run({"return", "--game", "deuces-wild-full-pay", "--json", "--play", "100"});
    const nlohmann::json far = nlohmann::json::parse(hundred.out)["risk"];
    if (!far["risk_of_ruin"][0]["ever_exact"].get<bool>()) {
        EXPECT_TRUE(far.contains("ever_not_exact"));
        EXPECT_EQ(far["risk_of_ruin"][0]["ever"], far["risk_of_ruin"][0]["ever_at_least"]);
        const CliRun said = run({"return", "--game", "deuces-wild-full-pay", "--play", "100"});
        EXPECT_NE(said.out.find("the exact chance without end is not given: "), std::string::npos);
    }
    const CliRun text = run({"return", "--game", "quillon", "--play", "10"});
    EXPECT_NE(text.out.find("10 hands a round"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("the strategy is the same as for one hand"), std::string::npos);
    EXPECT_NE(text.out.find("N0, the rounds"), std::string::npos);
}

TEST(RoundRisk, HandAndStrategyTakeThePlayToo) {
    QUILLON_WHOLE_GAME_SWEEP();
    const CliRun hand = run({"hand", "s1", "s13", "s12", "s11", "s3", "--game",
                             "jacks-or-better-9-6", "--play", "10", "--json"});
    ASSERT_EQ(hand.status, 0) << hand.err;
    const nlohmann::json round = nlohmann::json::parse(hand.out)["best"]["round"];
    EXPECT_NEAR(round["return"].get<double>(), 10.0 * 866.0 / 47.0, 1e-9);
    const CliRun chart = run({"strategy", "--game", "jacks-or-better-9-6", "--play", "3"});
    ASSERT_EQ(chart.status, 0) << chart.err;
    EXPECT_NE(chart.out.find("the chart is the one for a single hand"), std::string::npos);
}

// The build plays the built-in games' deals once; `return` of the same table from a file plays
// them anew and must print every figure alike.
TEST(RoundRisk, PrecomputedGamesPrintWhatTheirFilesDo) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::vector<std::vector<std::string_view>> cases = {
        {"jacks-or-better-9-6"},
        {"deuces-wild-full-pay", "--coins", "1"},
        {"quillon", "--json"},
        // The chance without end of the built-in game worked out ahead, the file's found afresh.
        {"quillon", "--play", "30"}};
    for (const auto& args : cases) {
        const std::string name(args.front());
        const auto builtin = std::find_if(builtin_games().begin(), builtin_games().end(),
                                          [&](const EmbeddedText& g) { return g.name == name; });
        ASSERT_NE(builtin, builtin_games().end());
        const std::filesystem::path path =
            std::filesystem::path(::testing::TempDir()) / (name + "-copy.game");
        std::ofstream(path) << builtin->text;
        std::vector<std::string_view> built = {"return", "--game", args.front()};
        built.insert(built.end(), args.begin() + 1, args.end());
        std::vector<std::string_view> from_file = built;
        const std::string file = path.string();
        from_file[2] = file;
        const CliRun a = run(built);
        const CliRun b = run(from_file);
        ASSERT_EQ(a.status, 0) << a.err;
        // The chance within a session of several hands a round is worked out ahead for the
        // built-in tables alone (it takes minutes): a file's report says so in its place.
        const std::string within = "\nrisk of ruin within a session of";
        const std::size_t cut = a.out.find(within);
        EXPECT_EQ(a.out.substr(0, cut), b.out.substr(0, cut)) << name;
        if (cut != std::string::npos) {
            EXPECT_EQ(b.out.substr(cut),
                      "the chance within 334 rounds (10000 hands) is not given: the exact "
                      "recursion on the bankroll takes the round's whole distribution (some "
                      "thousands of results) at every bankroll it can reach, round by round: "
                      "seconds to minutes, past the command's time; it is worked out ahead for "
                      "the built-in games' own tables, and counted for others' only where that "
                      "takes a second or so (some tables at 2 or 3 hands a round)\n");
        }
    }
}

}  // namespace
}  // namespace quillon::odds

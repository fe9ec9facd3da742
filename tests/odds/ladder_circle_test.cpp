// The ladder heights found on a circle from the roots' power sums: against the roots themselves
// where Aberth's steps find them, against a second circle and the bankroll's own equations for
// large rounds, and the figures worked out ahead for the built-in games against fresh ones.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include <nlohmann/json.hpp>

#include "odds/games/game_file.h"
#include "odds/known/known_by_play.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_result.h"
#include "odds/risk/round_ruin.h"
#include "odds/risk/session_risk.h"
#include "tests/odds/ladder/round_ladder_roots.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct Played {
    DealOutcomes outcomes;
    GameReturn result;
};

// A built-in game's deals as the build played them, at the full bet.
const Played& played(const std::string& name) {
    static std::map<std::string, Played> built;
    auto [at, fresh] = built.try_emplace(name);
    if (fresh) {
        const Game game = find_game(name, kFullBet).value();
        at->second.outcomes = outcomes_of(*find_precomputed(name, game), game);
        at->second.result = game_return_of(at->second.outcomes, game);
    }
    return at->second;
}

RoundResult round_of(const std::string& name, int play) {
    const Played& p = played(name);
    return {p.outcomes, p.result.pays, p.result.pay_scale, play};
}

// Ladder heights are chances of the first fall's size: none negative, adding up to less than one.
void expect_chances(const LadderRuin& ladder, const std::string& what) {
    ASSERT_TRUE(ladder.found()) << what << ": " << ladder.not_found;
    long double sum = 0.0L;
    for (const long double h : ladder.ladder) {
        EXPECT_GE(h, 0.0L) << what;
        sum += h;
    }
    EXPECT_LT(sum, 1.0L) << what;
}

TEST(LadderCircle, AgreesWithTheRootsWhereAberthsStepsFindThem) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const std::string game : {"deuces-wild-full-pay", "joker-kings-20-7-5"}) {
        for (const int play : {2, 3, 4, 6, 9, 13}) {
            const RoundResult round = round_of(game, play);
            const std::string what = game + ", " + std::to_string(play) + " hands";
            const LadderRuin roots = ladder_by_roots(round);
            ASSERT_TRUE(roots.found()) << what << ": " << roots.not_found;
            const LadderRuin circle = ladder_from_circle(round);
            expect_chances(circle, what);
            ASSERT_EQ(circle.ladder.size(), roots.ladder.size()) << what;
            for (std::size_t k = 0; k < roots.ladder.size(); ++k) {
                EXPECT_NEAR(static_cast<double>(circle.ladder[k]),
                            static_cast<double>(roots.ladder[k]),
                            1e-9 * static_cast<double>(roots.ladder[k]) + 1e-14)
                    << what << ", height " << k + 1;
            }
            const std::vector<long double> a = roots.chances(1000);
            const std::vector<long double> b = circle.chances(1000);
            EXPECT_NEAR(static_cast<double>(b[1000] / a[1000]), 1.0, 1e-9) << what;
        }
    }
}

// Large rounds, past where the roots are found: the heights again from a second circle, nearer the
// unit circle, its points all new; and the chances within their bounds.
TEST(LadderCircle, LargeRoundsAgreeWithASecondCircleAndLieWithinTheirBounds) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const int play : {50, 100}) {
        const RoundResult round = round_of("quillon", play);
        const std::string what = "quillon, " + std::to_string(play) + " hands";
        CircleRule rule;
        const LadderRuin circle = ladder_from_circle(round, kCircleWork, &rule);
        expect_chances(circle, what);
        const double radius = 0.5 * (1.0 + rule.radius);
        const std::vector<long double> sums =
            inside_power_sums(round, rule.points, round.ruin_root(), radius);
        EXPECT_NEAR(static_cast<double>(sums[0]), -1.0, 1e-6) << "all but one zero inside";
        const std::vector<long double> again = ladder_from_power_sums(sums, round.ruin_root());
        for (std::size_t k = 0; k < again.size(); ++k) {
            EXPECT_NEAR(static_cast<double>(again[k]), static_cast<double>(circle.ladder[k]), 1e-10)
                << what << ", height " << k + 1;
        }
        // A bankroll of b bets is lost with a fall of b - N + 1.
        const std::vector<int> bankrolls = {play, 100, 400, 1000};
        const RoundRuin bounds = round_ruin_bounds(round, bankrolls);
        const std::vector<long double> chance = circle.chances(1000);
        for (std::size_t i = 0; i < bankrolls.size(); ++i) {
            const auto ever =
                static_cast<double>(chance[static_cast<std::size_t>(bankrolls[i] - play + 1)]);
            EXPECT_GT(ever, bounds.at_least[i]) << what << ", bankroll " << bankrolls[i];
            EXPECT_LT(ever, bounds.at_most[i]) << what << ", bankroll " << bankrolls[i];
        }
    }
}

// Past the work it is given, the circle gives up and says so; so does the command's risk, which
// then keeps the bounds.
TEST(LadderCircle, GivesUpPastItsWork) {
    const RoundResult round = round_of("deuces-wild-full-pay", 40);
    const LadderRuin none = ladder_from_circle(round, 1'000'000);
    EXPECT_FALSE(none.found());
    EXPECT_NE(none.not_found.find("take more than the 1000000 terms"), std::string::npos)
        << none.not_found;
    const RoundRuin ruin = round_ruin_ever(round, {100, 400, 1000}, 1'000'000);
    EXPECT_EQ(ruin.ever, ruin.at_least);
    EXPECT_EQ(ruin.not_exact, none.not_found);
}

// The figures `return` takes for the built-in games were found ahead of time: a few found afresh,
// each game's at a round cheap enough to find here, by the same root finder: the same figures to
// the last bits kept.
TEST(KnownRuin, FiguresWorkedOutAheadAreFoundAfresh) {
    QUILLON_WHOLE_GAME_SWEEP();
    ASSERT_EQ(known_ruin_games().size(), 6u) << "the built-in games that pay back";
    int at = 0;
    for (const KnownByPlay& known : known_ruin_games()) {
        const std::string name(known.found_for.name);
        ASSERT_EQ(known.figures.size(), static_cast<std::size_t>(kKnownLastPlay - 1)) << name;
        const Game game = find_game(name, kFullBet).value();
        // Quillon's deals share few distributions: a large round costs little there.
        const int play = name == "quillon" ? 40 : 2 + 2 * at++;
        ASSERT_EQ(known_ruin_ever(name, game, play),
                  &known.figures[static_cast<std::size_t>(play - 2)]);
        const RoundRuin fresh = round_ruin_ever(round_of(name, play), {100, 400, 1000});
        ASSERT_TRUE(fresh.not_exact.empty()) << name << ": " << fresh.not_exact;
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(known.figures[static_cast<std::size_t>(play - 2)][i] / fresh.ever[i], 1.0,
                        1e-14)
                << name << ", " << play << " hands, bankroll " << i;
        }
    }
    // Only for the very pays they were found for, and one to a hundred hands.
    const Game short_bet = find_game("deuces-wild-full-pay", 1).value();
    EXPECT_EQ(known_ruin_ever("deuces-wild-full-pay", short_bet, 10), nullptr);
    const Game full = find_game("deuces-wild-full-pay", kFullBet).value();
    EXPECT_EQ(known_ruin_ever("loose-deuces-17-10", full, 10), nullptr);
    EXPECT_EQ(known_ruin_ever("deuces-wild-full-pay", full, 1), nullptr);
    EXPECT_EQ(known_ruin_ever("jacks-or-better-9-6",
                              find_game("jacks-or-better-9-6", kFullBet).value(), 10),
              nullptr);
}

TEST(KnownRuin, ReturnGivesTheExactChanceForEveryRound) {
    for (const int play : {20, 100}) {
        const CliRun r = run(
            {"return", "--game", "deuces-wild-full-pay", "--play", std::to_string(play), "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        const nlohmann::json risk = nlohmann::json::parse(r.out)["risk"];
        EXPECT_FALSE(risk.contains("ever_not_exact")) << play;
        const auto* known = known_ruin_ever(
            "deuces-wild-full-pay", find_game("deuces-wild-full-pay", kFullBet).value(), play);
        ASSERT_NE(known, nullptr);
        for (std::size_t i = 0; i < 3; ++i) {
            const nlohmann::json& row = risk["risk_of_ruin"][i];
            EXPECT_TRUE(row["ever_exact"].get<bool>());
            EXPECT_EQ(row["ever"].get<double>(), (*known)[i]);
            EXPECT_GT(row["ever"].get<double>(), row["ever_at_least"].get<double>());
            EXPECT_LT(row["ever"].get<double>(), row["ever_at_most"].get<double>());
        }
    }
    const CliRun text = run({"return", "--game", "quillon", "--play", "100"});
    EXPECT_EQ(text.out.find("is not given: the ladder"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("sums on a circle around them"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace quillon::odds

// The chances of ruin within a session of multi-play rounds worked out ahead for the built-in
// games: where `return` takes them, how they stand against the chances without end, and a few
// found afresh by the code that wrote them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "odds/games/builtin_games.h"
#include "odds/games/game_file.h"
#include "odds/known/known_by_play.h"
#include "odds/known/precomputed.h"
#include "odds/risk/round_result.h"
#include "odds/risk/session_risk.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"
#include "tools/ruin_table/session_within.h"

namespace quillon::odds {
namespace {

// A session is more rounds' time than none, and less than all time: the chance within it lies at
// or below the chance without end of the same rounds, and falls as the bankroll grows.
TEST(KnownWithin, EveryGameAndRoundLiesBelowItsChanceWithoutEnd) {
    ASSERT_EQ(known_within_games().size(), game_names().size()) << "every built-in game";
    for (const KnownByPlay& known : known_within_games()) {
        const std::string name(known.found_for.name);
        ASSERT_EQ(known.figures.size(), static_cast<std::size_t>(kKnownLastPlay - 1)) << name;
        const Game game = find_game(name, kFullBet).value();
        for (int play = kKnownFirstPlay; play <= kKnownLastPlay; ++play) {
            const std::array<double, 3>* within = known_ruin_within(name, game, play);
            ASSERT_EQ(within, &known.figures[static_cast<std::size_t>(play - 2)]);
            // Games that do not pay back lose every bankroll in the end.
            const std::array<double, 3>* ever = known_ruin_ever(name, game, play);
            for (std::size_t i = 0; i < 3; ++i) {
                const std::string what =
                    name + ", " + std::to_string(play) + " hands, bankroll " + std::to_string(i);
                EXPECT_GT((*within)[i], 0.0) << what;
                EXPECT_LE((*within)[i], ever != nullptr ? (*ever)[i] * (1.0 + 1e-9) : 1.0) << what;
                if (i > 0) {
                    EXPECT_LT((*within)[i], (*within)[i - 1]) << what;
                }
            }
        }
    }
    // Only for the very pays they were found for, and two to a hundred hands.
    const Game short_bet = find_game("deuces-wild-full-pay", 1).value();
    EXPECT_EQ(known_ruin_within("deuces-wild-full-pay", short_bet, 10), nullptr);
    const Game full = find_game("deuces-wild-full-pay", kFullBet).value();
    EXPECT_EQ(known_ruin_within("loose-deuces-17-10", full, 10), nullptr);
    EXPECT_EQ(known_ruin_within("deuces-wild-full-pay", full, 1), nullptr);
    EXPECT_EQ(known_ruin_within("deuces-wild-full-pay", full, 101), nullptr);
}

RoundResult one_hand_rounds(const std::string& name) {
    const Game game = find_game(name, kFullBet).value();
    const PrecomputedGame* built = find_precomputed(name, game);
    const DealOutcomes outcomes = outcomes_of(*built, game);
    const GameReturn result = game_return_of(outcomes, game);
    return RoundResult(outcomes, result.pays, result.pay_scale, 1);
}

// Found afresh as the writer finds them: two hands a round (term by term, to the last digit), and
// a round of quillon's, whose deals share few distributions, on the circle. Seconds in all: the
// release suite's alone.
TEST(KnownWithin, RecomputedFiguresAreTheTables) {
    QUILLON_WHOLE_GAME_SWEEP();
    struct Case {
        std::string name;
        int play;
    };
    for (const Case& c : {Case{"jacks-or-better-9-6", 2}, Case{"quillon", 20}}) {
        const std::vector<SessionWithin> fresh =
            session_within(one_hand_rounds(c.name), c.play, c.play);
        ASSERT_EQ(fresh.size(), 1u);
        EXPECT_EQ(fresh[0].rounds, session_rounds(c.play));
        EXPECT_EQ(fresh[0].on_circle, c.play > 3) << c.name;
        const std::array<double, 3>* known =
            known_ruin_within(c.name, find_game(c.name, kFullBet).value(), c.play);
        ASSERT_NE(known, nullptr);
        for (std::size_t i = 0; i < 3; ++i) {
            EXPECT_NEAR(fresh[0].chance[i] / (*known)[i], 1.0, 1e-12)
                << c.name << ", " << c.play << " hands, bankroll " << i;
        }
    }
}

// A file's table is not worked out ahead: up to three hands a round its chance is counted
// afresh (a second or so), term by term, and is the built-in game's to the last digits.
TEST(KnownWithin, RecomputedFiguresForAFileUpToThreeHands) {
    QUILLON_WHOLE_GAME_SWEEP();
    const auto builtin =
        std::find_if(builtin_games().begin(), builtin_games().end(),
                     [](const EmbeddedText& g) { return g.name == "jacks-or-better-9-6"; });
    ASSERT_NE(builtin, builtin_games().end());
    const std::filesystem::path path =
        std::filesystem::path(::testing::TempDir()) / "jacks-within-copy.game";
    std::ofstream(path) << builtin->text;
    const CliRun two = run({"return", "--game", path.string(), "--play", "2", "--json"});
    ASSERT_EQ(two.status, 0) << two.err;
    const nlohmann::json risk = nlohmann::json::parse(two.out)["risk"];
    EXPECT_FALSE(risk.contains("within_not_given"));
    const auto* known = known_ruin_within("jacks-or-better-9-6",
                                          find_game("jacks-or-better-9-6", kFullBet).value(), 2);
    ASSERT_NE(known, nullptr);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(risk["risk_of_ruin"][i]["within_hands"].get<double>() / (*known)[i], 1.0,
                    1e-12);
    }
    const CliRun four = run({"return", "--game", path.string(), "--play", "4", "--json"});
    const nlohmann::json far = nlohmann::json::parse(four.out)["risk"];
    EXPECT_TRUE(far["risk_of_ruin"][0]["within_hands"].is_null());
    EXPECT_NE(
        far["within_not_given"].get<std::string>().find("only where that takes a second or so"),
        std::string::npos);
}

TEST(KnownWithin, ReturnGivesTheChanceWithinTheSession) {
    const CliRun r = run({"return", "--game", "jacks-or-better-9-6", "--play", "3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json risk = nlohmann::json::parse(r.out)["risk"];
    EXPECT_EQ(risk["session_hands"], kSessionHands);
    EXPECT_EQ(risk["session_rounds"], 3334);
    EXPECT_FALSE(risk.contains("within_not_given"));
    const auto* known = known_ruin_within("jacks-or-better-9-6",
                                          find_game("jacks-or-better-9-6", kFullBet).value(), 3);
    ASSERT_NE(known, nullptr);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(risk["risk_of_ruin"][i]["within_hands"].get<double>(), (*known)[i]);
    }
    const CliRun text = run({"return", "--game", "deuces-wild-full-pay", "--play", "100"});
    EXPECT_NE(text.out.find("within a session of 10000 hands (100 rounds of 100)"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("within 100 rounds (10000 hands)"), std::string::npos);
    EXPECT_EQ(text.out.find("is not given"), std::string::npos);
}

}  // namespace
}  // namespace quillon::odds

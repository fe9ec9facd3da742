// quillon-odds with --ultimate-x: the figures a player reads, and the command lines it refuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "odds/games/game_file.h"
#include "odds/known/known_ultimate_x.h"
#include "odds/play/fast_classifier.h"
#include "odds/play/ultimate_x.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

TEST(UltimateXCli, ReturnGivesPerfectPlayBesideTheSingleStrategyAndTheRuleOfThumb) {
    const CliRun r =
        run({"return", "--game", "jacks-or-better-8-6", "--ultimate-x", "10", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["lines"], 10);
    EXPECT_NEAR(j["perfect_return"].get<double>(), 0.9942, 0.00005);
    EXPECT_GT(j["perfect_return"].get<double>(), j["rule_of_thumb_return"].get<double>());
    EXPECT_GT(j["rule_of_thumb_return"].get<double>(), j["single_strategy_return"].get<double>());
    // The return is the gain over the round's doubled bet; the chances of T add up to one and
    // give the average multiplier.
    EXPECT_NEAR(j["gain"].get<double>() / 20, j["perfect_return"].get<double>(), 1e-15);
    double chance = 0;
    double mean = 0;
    for (const auto& state : j["states"]) {
        chance += state["chance"].get<double>();
        mean += state["chance"].get<double>() * state["total"].get<double>() / 10;
    }
    EXPECT_NEAR(chance, 1.0, 1e-12);
    EXPECT_NEAR(mean, j["average_multiplier"].get<double>(), 1e-12);
    EXPECT_EQ(j["states"][0]["value"], 0.0);

    const CliRun text = run({"return", "--game", "jacks-or-better-8-6", "--ultimate-x", "10"});
    EXPECT_NE(text.out.find("perfect play         99.4220%"), std::string::npos) << text.out;
}

TEST(UltimateXCli, HandRanksByFullValueAndMarksWherePlainPlayDiffers) {
    const CliRun r = run({"hand", "s1", "s13", "s12", "h11", "d2", "--game", "jacks-or-better-8-6",
                          "--ultimate-x", "3", "--multiplier", "2,1,4", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["multiplier_total"], 7);
    ASSERT_EQ(j["holds"].size(), 32u);
    bool departs = false;
    for (std::size_t i = 0; i < 32; ++i) {
        const auto& h = j["holds"][i];
        EXPECT_NEAR(h["win"].get<double>(), 7 * h["plain_value"].get<double>(), 1e-12);
        EXPECT_EQ(h["departs_from_plain"], h["plain_rank"].get<std::size_t>() != i + 1);
        departs = departs || h["departs_from_plain"].get<bool>();
    }
    EXPECT_TRUE(departs);
    EXPECT_EQ(j["holds"][0]["held"], "s1 s13 s12");
    const CliRun total = run({"hand", "s1", "s13", "s12", "h11", "d2", "--game",
                              "jacks-or-better-8-6", "--ultimate-x", "3", "--multiplier", "7"});
    ASSERT_EQ(total.status, 0) << total.err;
    EXPECT_NE(total.out.find("multiplier total T = 7"), std::string::npos);
}

// The cards of `held` as a hold over the deal's own order.
HoldMask mask_in(const std::array<CardId, 5>& deal, const std::string& held) {
    HoldMask mask = 0;
    std::istringstream in(held);
    for (std::string word; in >> word;) {
        const CardId card = CardId::parse(word).value();
        for (std::size_t i = 0; i < 5; ++i) {
            mask = static_cast<HoldMask>(mask | (deal[i] == card ? 1u << i : 0u));
        }
    }
    return mask;
}

// What strategy prints is the solver's: the plain chart's cost is its return under perfect
// play's, and a departure met on a sample deal is what the ranking by full value of that deal
// does at the ends of the printed range of T: the perfect hold at its start, the plain one just
// past its end.
TEST(UltimateXCli, StrategyPrintsTheSolversDeparturesAndWhatThePlainChartCosts) {
    QUILLON_WHOLE_GAME_SWEEP();
    const CliRun r =
        run({"strategy", "--game", "jacks-or-better-8-6", "--ultimate-x", "3", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::json::parse(r.out);
    const Game game = find_game("jacks-or-better-8-6").value();
    const auto known = known_ultimate_x("jacks-or-better-8-6", game, 3);
    ASSERT_TRUE(known);
    const double perfect = j["perfect_return"];
    const double plain = j["plain_chart_return"];
    EXPECT_NEAR(perfect, known->perfect_return, 1e-12);
    EXPECT_NEAR(plain, known->plain_return, 1e-12);
    EXPECT_DOUBLE_EQ(j["plain_chart_costs"].get<double>(), perfect - plain);

    struct Sample {
        const char* hold;
        const char* instead_of;
        const char* deal;
        const char* perfect;
        const char* plain;
    };
    const std::array<Sample, 3> samples = {{
        {"3 to a flush", "one card alone", "h12 h3 h7 c9 d5", "h12 h3 h7", "h12"},
        {"3 to a flush", "2 cards, mixed suits", "h12 s13 h3 h7 c9", "h12 h3 h7", "h12 s13"},
        {"4 to an inside straight", "discard everything", "s3 h4 d5 c7 s9", "s3 h4 d5 c7", ""},
    }};
    const FastClassifier classifier(game);
    double share = 1.0;
    for (const auto& d : j["departures"]) {
        EXPECT_LE(d["share_of_rounds"].get<double>(), share) << "the most often met first";
        share = d["share_of_rounds"];
    }
    for (const Sample& sample : samples) {
        const auto d = std::find_if(j["departures"].begin(), j["departures"].end(), [&](auto& x) {
            return x["hold"] == sample.hold && x["instead_of"] == sample.instead_of;
        });
        ASSERT_NE(d, j["departures"].end()) << sample.hold << " over " << sample.instead_of;
        const std::array<CardId, 5> deal = parse_deal(sample.deal);
        const int from = (*d)["from_total"];
        const int to = (*d)["to_total"];
        const auto at_from = rank_ultimate_x_holds(*known, game, classifier, deal, from);
        EXPECT_EQ(at_from.front().mask, mask_in(deal, sample.perfect)) << sample.deal;
        const auto plain_best =
            std::find_if(at_from.begin(), at_from.end(),
                         [](const UltimateXHold& h) { return h.plain_rank == 0; });
        EXPECT_EQ(plain_best->mask, mask_in(deal, sample.plain)) << sample.deal;
        if (to < known->most_total) {
            const auto past = rank_ultimate_x_holds(*known, game, classifier, deal, to + 1);
            EXPECT_EQ(past.front().mask, mask_in(deal, sample.plain))
                << sample.deal << " at " << to + 1;
        }
    }
}

TEST(UltimateXCli, RefusesWhatItCannotPlay) {
    const auto refused = [](const std::vector<std::string_view>& args) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2) << r.out;
        return r.err;
    };
    EXPECT_EQ(refused({"return", "--ultimate-x", "3"}),
              "error: quillon has no Ultimate X multipliers\n");
    EXPECT_EQ(refused({"return", "--game", "jacks-or-better-8-6", "--ultimate-x", "4"}),
              "error: Jacks or Better 8/6 is not played on 4 Ultimate X lines (its line counts: "
              "1, 3, 5, 10)\n");
    EXPECT_EQ(refused({"hand", "s1", "s13", "s12", "h11", "d2", "--game", "jacks-or-better-8-6",
                       "--ultimate-x", "3", "--multiplier", "2,5,1"}),
              "error: --multiplier: '5' is not a multiplier this game awards (1 2 3 4 7 11 "
              "12)\n");
    EXPECT_EQ(
        refused({"return", "--game", "jacks-or-better-8-6", "--ultimate-x", "3", "--play", "5"}),
        "error: --ultimate-x already plays several lines: it takes no --play\n");
}

}  // namespace
}  // namespace quillon::odds

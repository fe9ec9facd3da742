// quillon-odds with --ultimate-x: the figures a player reads, and the command lines it refuses.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/odds/odds_test_support.h"

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

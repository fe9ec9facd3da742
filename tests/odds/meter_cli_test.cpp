// A line of the table paid anew from the command line: --pay on return and strategy, and the
// break-even of a progressive meter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/wide.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

Wide whole(const std::string& digits) {
    Wide n = 0;
    for (const char c : digits) {
        n = n * 10 + static_cast<Wide>(c - '0');
    }
    return n;
}

// Whether `return --pay LINE=PAY` gives 100% or more, read from its exact fraction.
bool pays_back(const std::string& game, const std::string& line, int pay) {
    const std::string change = line + "=" + std::to_string(pay);
    const CliRun r = run({"return", "--game", game, "--pay", change, "--json"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string exact = nlohmann::json::parse(r.out)["return_exact"];
    const std::size_t slash = exact.find('/');
    if (slash == std::string::npos) {
        return whole(exact) >= 1;
    }
    return whole(exact.substr(0, slash)) >= whole(exact.substr(slash + 1));
}

// The least whole pay in [low, high] at which the game pays back, bisecting on `return`.
int bisected(const std::string& game, const std::string& line, int low, int high) {
    EXPECT_FALSE(pays_back(game, line, low));
    EXPECT_TRUE(pays_back(game, line, high));
    while (high - low > 1) {
        const int mid = (low + high) / 2;
        (pays_back(game, line, mid) ? high : low) = mid;
    }
    return high;
}

nlohmann::json meter(const std::vector<std::string_view>& args) {
    const CliRun r = run(args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    return nlohmann::json::parse(r.out);
}

TEST(MeterCli, BreakEvenRoyalsAgreeWithBisectionsOnTheReturn) {
    QUILLON_WHOLE_GAME_SWEEP();
    const nlohmann::json jacks = meter({"meter", "--game", "jacks-or-better-9-6", "--json"});
    EXPECT_EQ(jacks["break_even"], "976");
    EXPECT_EQ(jacks["below"], "975");
    EXPECT_EQ(std::to_string(bisected("jacks-or-better-9-6", "royal", 950, 1000)), "976");
    const nlohmann::json deuces = meter({"meter", "--game", "deuces-wild-nsu", "--json"});
    EXPECT_EQ(deuces["break_even"], "918");
    EXPECT_EQ(std::to_string(bisected("deuces-wild-nsu", "royal", 900, 950)), "918");
    // Each reading is the return of its pay, and today's is the game's own.
    for (const nlohmann::json& reading : jacks["readings"]) {
        const std::string change = "royal=" + reading["meter"].get<std::string>();
        const nlohmann::json r =
            meter({"return", "--game", "jacks-or-better-9-6", "--pay", change, "--json"});
        EXPECT_EQ(reading["return_exact"], r["return_exact"]) << change;
        EXPECT_EQ(reading["chance_exact"], r["final_hands"][0]["probability_exact"]) << change;
    }
    EXPECT_TRUE(jacks["readings"][0]["today"]);
    EXPECT_EQ(jacks["readings"][0]["meter"], "800");
}

TEST(MeterCli, FindsTheBreakEvenOfAnyLineOnAnyStep) {
    QUILLON_WHOLE_GAME_SWEEP();
    // Where the play is the same a step either side, the exact break-even lies between.
    const nlohmann::json fine =
        meter({"meter", "--game", "jacks-or-better-9-6", "--step", "0.25", "--json"});
    EXPECT_EQ(fine["break_even"], "976");
    EXPECT_EQ(fine["below"], "975.75");
    EXPECT_EQ(fine["break_even_exact"], "45110169982/46219759");
    // Any line: four of a kind at 27 a coin, or at nothing where a meter pays the royal 4,000.
    const nlohmann::json four =
        meter({"meter", "--game", "jacks-or-better-9-6", "--line", "four", "--json"});
    EXPECT_EQ(four["break_even"], "27");
    EXPECT_EQ(four["below"], "26");
    const nlohmann::json free = meter({"meter", "--game", "jacks-or-better-9-6", "--line", "four",
                                       "--pay", "royal=4000", "--json"});
    EXPECT_EQ(free["break_even"], "0");
    EXPECT_TRUE(free["below"].is_null());
    const CliRun text = run({"meter", "--game", "deuces-wild-full-pay"});
    EXPECT_NE(text.out.find("break-even  the natural royal at 451 per coin returns 100.0014"),
              std::string::npos)
        << text.out;
}

TEST(MeterCli, TodaysPayGivesTodaysReportByteForByte) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name).value();
        const std::string today =
            "royal=" + std::to_string(game.pay_of(HandClass::natural_royal) / game.pay_scale());
        const CliRun plain = run({"return", "--game", name});
        const CliRun paid = run({"return", "--game", name, "--pay", today});
        EXPECT_EQ(paid.status, 0) << paid.err;
        EXPECT_EQ(paid.out, plain.out) << name;
    }
    const CliRun chart = run({"strategy", "--game", "jacks-or-better-9-6", "--lines", "12"});
    const CliRun paid = run({"strategy", "--game", "jacks-or-better-9-6", "--lines", "12", "--pay",
                             "royal=800", "--pay", "pair=1"});
    EXPECT_EQ(paid.out, chart.out);
    // A meter changes the chart: the royal draws more at 4,000 a coin.
    const CliRun meter_chart =
        run({"strategy", "--game", "jacks-or-better-9-6", "--lines", "12", "--pay", "royal=4000"});
    EXPECT_EQ(meter_chart.status, 0) << meter_chart.err;
    EXPECT_NE(meter_chart.out, chart.out);
}

TEST(MeterCli, RefusesInOneLine) {
    const std::vector<std::vector<std::string_view>> lines = {
        {"return", "--pay", "royal"},
        {"return", "--pay", "wild-royal=5", "--game", "jacks-or-better-9-6"},
        {"return", "--pay", "royal=1e3"},
        {"return", "--pay", "royal=100000.5"},
        {"return", "--pay"},
        {"meter", "--line", "nothing"},
        {"meter", "--step", "0"},
        {"meter", "--step", "-1"},
    };
    for (const auto& args : lines) {
        const CliRun r = run(args);
        EXPECT_EQ(r.status, 2) << args[1];
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(r.err.starts_with("error: ")) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace quillon::odds

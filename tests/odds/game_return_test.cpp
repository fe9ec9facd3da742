// Whole games under perfect play against the published figures.
#include <gtest/gtest.h>

#include "odds/combinatorics.h"
#include "odds/game_return.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

// The return in millionths, rounded half up, from the exact fraction.
std::uint64_t return_millionths(const GameReturn& r) {
    __extension__ using Wide = unsigned __int128;
    const Wide scaled = static_cast<Wide>(r.pay_total()) * 2'000'000u / r.total;
    return static_cast<std::uint64_t>((scaled + 1) / 2);
}

std::uint64_t sum_of(const std::vector<std::uint64_t>& counts) {
    std::uint64_t sum = 0;
    for (const std::uint64_t c : counts) {
        sum += c;
    }
    return sum;
}

TEST(GameReturn, JacksOrBetter96MatchesThePublishedTable) {
    const GameReturn r = game_return(shared_tallies("jacks-or-better-9-6"));
    EXPECT_EQ(r.total, 19'933'230'517'200u);
    EXPECT_EQ(sum_of(r.counts), r.total);
    const std::vector<std::uint64_t> published = {
        493'512'264,       2'178'883'296,     47'093'167'764,    229'475'482'596,
        219'554'786'160,   223'837'565'784,   1'484'003'070'324, 2'576'946'164'148,
        4'277'372'890'968, 10'872'274'993'896};
    EXPECT_EQ(r.counts, published);
    EXPECT_EQ(return_millionths(r), 995'439u);
}

TEST(GameReturn, JokerPokerKings2075MatchesThePublishedReturn) {
    const GameReturn r = game_return(shared_tallies("joker-kings-20-7-5"));
    EXPECT_EQ(r.total, choose(53, 5) * draw_lcm(48));
    EXPECT_EQ(sum_of(r.counts), r.total);
    EXPECT_EQ(return_millionths(r), 1'006'463u);
}

// The machine's table: the threads must agree with a single one to the last count.
TEST(GameReturn, QuillonIsTheSameOnOneThreadOrTwo) {
    const Tallies& tallies = shared_tallies("quillon");
    const GameReturn one = game_return(tallies, 1);
    const GameReturn two = game_return(tallies, 2);
    EXPECT_EQ(one.counts, two.counts);
    EXPECT_EQ(sum_of(two.counts), two.total);
}

TEST(GameReturn, WeightsDrawsByTheLcmOfTheirCounts) {
    EXPECT_EQ(draw_lcm(47), 7'669'695u);
    EXPECT_EQ(draw_lcm(48), 8'561'520u);
}

}  // namespace
}  // namespace quillon::odds

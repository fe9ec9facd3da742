// The built-in games' Ultimate X against every published perfect-play return found, each to its
// published precision and named by its source.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "odds/games/game_file.h"
#include "odds/known/known_ultimate_x.h"

namespace quillon::odds {
namespace {

struct Published {
    const char* game;
    int lines;
    double percent;  // as published
    int places;      // of the percentage
    const char* source;
    bool cut = false;  // cut to its places rather than rounded
};

constexpr std::array<Published, 8> kPublished = {{
    {"jacks-or-better-8-6", 1, 98.57, 2,
     "the Wizard of Odds' single-line Ultimate X analysis, as quoted in the Wizard of Vegas "
     "thread \"Ultimate X strategy formulas\" (wizardofvegas.com/forum/gambling/video-poker/"
     "42308-ultimate-x-strategy-formulas)"},
    {"jacks-or-better-8-6", 3, 99.30, 2,
     "\"Ultimate X Poker Implementation Plan\", returns with Ultimate X active from the Wizard "
     "of Odds (github.com/bunchbunchbunch/vpDecisions, docs/ULTIMATE_X_IMPLEMENTATION_PLAN.md)"},
    {"jacks-or-better-8-6", 5, 99.40, 2, "the same"},
    {"jacks-or-better-8-6", 10, 99.42, 2,
     "the Wizard of Odds, \"8/6 Jacks or Better 10-Play Ultimate X Strategy\" "
     "(wizardofodds.com/games/video-poker/strategy/ultimate-x/jacks-or-better)"},
    {"bonus-poker-7-5", 10, 99.40, 2,
     "the Wizard of Odds, \"7/5 Bonus Poker 10-Play Ultimate X Strategy\" "
     "(wizardofodds.com/games/video-poker/strategy/ultimate-x/bonus-poker)"},
    {"double-bonus-9-6-5", 10, 99.04, 2,
     "the Wizard of Odds, \"9/6/5 Double Bonus Poker 10-Play Ultimate X Strategy\" "
     "(wizardofodds.com/games/video-poker/strategy/ultimate-x/double-bonus)"},
    {"double-double-bonus-9-6", 10, 99.87, 2,
     "Bob Dancer in the Las Vegas Advisor on ten-play 9/6 Double Double Bonus Ultimate X, "
     "\"supposed to be a 99.87% game when played perfectly\" (lasvegasadvisor.com/shop/?p=839396)"},
    {"double-double-bonus-9-6", 10, 99.86, 2,
     "IGT's \"99.86%\" for the same game, as a Wizard of Vegas thread gives it, cut rather than "
     "rounded (wizardofvegas.com/forum/gambling/video-poker/15348)",
     true},
}};

TEST(UltimateXPublished, EveryBuiltInReturnMeetsItsPublishedFigure) {
    for (const Published& p : kPublished) {
        const Game game = find_game(p.game).value();
        const auto known = known_ultimate_x(p.game, game, p.lines);
        ASSERT_TRUE(known) << p.game << " on " << p.lines;
        const double scale = std::pow(10.0, p.places);
        const double percent = 100.0 * known->perfect_return;
        const double shown =
            (p.cut ? std::floor(percent * scale) : std::round(percent * scale)) / scale;
        EXPECT_NEAR(shown, p.percent, 1e-9)
            << p.game << " on " << p.lines << " lines: " << percent << "% against " << p.source;
    }
}

// The single-line game's chances of each multiplier, to the two places of the percentages
// the same single-line analysis gives.
TEST(UltimateXPublished, SingleLineJacksOrBetterCarriesEachMultiplierAsPublished) {
    const Game game = find_game("jacks-or-better-8-6").value();
    const auto one = known_ultimate_x("jacks-or-better-8-6", game, 1);
    ASSERT_TRUE(one);
    const std::array<std::pair<int, double>, 7> published = {{{1, 0.5629},
                                                              {2, 0.1993},
                                                              {3, 0.1253},
                                                              {4, 0.0724},
                                                              {7, 0.0138},
                                                              {10, 0.0150},
                                                              {12, 0.0113}}};
    for (const auto& [multiplier, chance] : published) {
        EXPECT_NEAR(one->chance_at(multiplier), chance, 0.00005) << multiplier << "X";
    }
}

}  // namespace
}  // namespace quillon::odds

// A table of a built-in game's hands at pays of its own, played again from the built-in game's
// stored best holds: the very figures of playing every deal anew.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "odds/games/game_file.h"
#include "odds/games/pay_changes.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/play/game_return.h"
#include "whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct Changed {
    std::string game;
    std::vector<PayChange> pays;
    int coins = kFullBet;
};

std::string described(const Changed& c) {
    std::string out = c.game + " at " + std::to_string(c.coins) + " coins";
    for (const PayChange& p : c.pays) {
        out += " " + p.line + "=" + p.per_coin;
    }
    return out;
}

Game changed_game(const Changed& c) {
    return with_pays(find_game(c.game, c.coins).value(), c.pays);
}

// Holds that move and holds that stay: a meter on the top line, several lines at once, a line cut
// so far that many deals hold otherwise, a wild game and a joker game, a smaller bet, whose
// royal pays less than the stored holds were found for, and a line below the top (four aces).
const std::vector<Changed> kChanges = {
    {"jacks-or-better-9-6", {{"royal", "1200"}}},
    {"jacks-or-better-9-6", {{"two-pair", "1"}, {"flush", "7"}, {"straight", "0"}}},
    {"jacks-or-better-9-6", {{"full-house", "8"}}, 1},
    {"deuces-wild-nsu", {{"natural-royal", "1000"}, {"four-deuces", "100"}}},
    {"quillon", {{"royal", "1500"}, {"two-pair", "1"}}},
    {"double-double-bonus-9-6", {{"four-aces", "170"}}},
};

TEST(PayReplay, CountsTheWholeGameAsEveryDealPlayedAnew) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const Changed& c : kChanges) {
        const Game game = changed_game(c);
        ASSERT_EQ(find_precomputed(c.game, game), nullptr) << described(c);
        const PrecomputedGame* base = find_replay_base(c.game, game);
        ASSERT_NE(base, nullptr) << described(c);
        const Tallies tallies(game);
        const std::vector<DealClass> classes = deal_classes(game.jokers());
        const std::vector<HoldMask> stored = stored_best_holds(*base);
        // The change moves some deals' best hold, and leaves most where they were.
        const std::vector<HoldMask> best = best_holds(tallies, classes, 2);
        std::size_t moved = 0;
        for (std::size_t i = 0; i < best.size(); ++i) {
            moved += best[i] != stored[i] ? 1 : 0;
        }
        EXPECT_GT(moved, 0u) << described(c);
        EXPECT_LT(moved, classes.size() / 2) << described(c);

        const GameReturn full = game_return(tallies, classes, 2);
        const GameReturn again =
            replay_return(tallies, classes, stored, outcomes_of(*base, game), 2);
        EXPECT_EQ(again.counts, full.counts) << described(c);
        EXPECT_EQ(again.pays, full.pays) << described(c);
        EXPECT_EQ(again.total, full.total) << described(c);
        EXPECT_EQ(again.weight_per_deal, full.weight_per_deal) << described(c);
        EXPECT_EQ(again.pay_scale, full.pay_scale) << described(c);
    }
}

TEST(PayReplay, GivesEveryDistributionOfRoundsOfSeveralHands) {
    QUILLON_WHOLE_GAME_SWEEP();
    for (const Changed& c : {kChanges[1], kChanges[4]}) {
        const Game game = changed_game(c);
        const PrecomputedGame* base = find_replay_base(c.game, game);
        ASSERT_NE(base, nullptr) << described(c);
        const Tallies tallies(game);
        const std::vector<DealClass> classes = deal_classes(game.jokers());
        const DealOutcomes full = best_hold_outcomes(tallies, classes, 2);
        const DealOutcomes again = replay_outcomes(tallies, classes, stored_best_holds(*base),
                                                   outcomes_of(*base, game), 2);
        EXPECT_EQ(again.rows, full.rows) << described(c);
        EXPECT_EQ(again.counts, full.counts) << described(c);
        EXPECT_EQ(again.draws, full.draws) << described(c);
        EXPECT_EQ(again.deals, full.deals) << described(c);
        EXPECT_EQ(again.all_deals, full.all_deals) << described(c);
    }
}

TEST(PayReplay, StartsOnlyFromTablesThatDrawEveryHoldAlike) {
    const Game jacks = find_game("jacks-or-better-9-6").value();
    // A file of the same hands and pays under a name of its own takes the built-in game's deals;
    // with a pay of its own, its best holds.
    const std::string text =
        "name Mine\nwild none\nroyal 250 4000@5\nstraight-flush 50\n"
        "four 25\nfull-house 9\nflush 6\nstraight 4\nthree 3\n"
        "two-pair 2\npair 1 jacks\n";
    const Game mine = parse_game(text, "mine.game");
    const PrecomputedGame* same = find_same_play(mine);
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(same, find_precomputed("jacks-or-better-9-6", jacks));
    const Game paid = with_pays(mine, std::vector<PayChange>{{"royal", "1000"}});
    EXPECT_EQ(find_same_play(paid), nullptr);
    const PrecomputedGame* base = find_replay_base("mine.game", paid);
    ASSERT_NE(base, nullptr);
    EXPECT_TRUE(same_hands(find_game(base->found_for.name).value(), paid));
    EXPECT_FALSE(base->best_holds.empty());

    // Pairs that pay from tens are other hands.
    const Game tens = parse_game(text.substr(0, text.size() - 6) + "tens\n", "tens.game");
    EXPECT_EQ(find_same_play(tens), nullptr);
    EXPECT_FALSE(same_hands(tens, jacks));

    // Deuces Wild reads a hand as the line that pays most: four deuces and an ace are four deuces
    // while they pay more than a wild royal, a wild royal where they pay less.
    const Game deuces = find_game("deuces-wild-nsu").value();
    EXPECT_NE(find_replay_base("deuces-wild-nsu",
                               with_pays(deuces, std::vector<PayChange>{{"four-deuces", "700"}})),
              nullptr);
    const Game below = with_pays(deuces, std::vector<PayChange>{{"four-deuces", "20"}});
    EXPECT_FALSE(same_hands(below, deuces));
    EXPECT_EQ(find_replay_base("deuces-wild-nsu", below), nullptr);
}

}  // namespace
}  // namespace quillon::odds

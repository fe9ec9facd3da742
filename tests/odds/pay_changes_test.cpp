// One line of a pay table paid anew: the game the engine then counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "odds/games/pay_changes.h"

namespace quillon::odds {
namespace {

Game built_in(std::string_view name, int coins = 0) {
    return find_game(name, coins).value();
}

std::string error_of(const Game& game, const std::vector<PayChange>& changes) {
    try {
        with_pays(game, changes);
    } catch (const PayChangeError& e) {
        return e.what();
    }
    return "(no error)";
}

TEST(PayChanges, TodaysPaysGiveTheSameGame) {
    for (const std::string_view name : game_names()) {
        for (const int coins : {0, 1, 3}) {
            const Game game = built_in(name, coins);
            std::vector<PayChange> same;
            const std::vector<std::string> lines = pay_line_names(game);
            for (std::size_t row = 0; row < lines.size(); ++row) {
                const std::int64_t pay = game.pay(row);
                const std::int64_t scale = game.pay_scale();
                // Today's pay per coin, written as a player would write it.
                std::string text = std::to_string(pay / scale);
                if (pay % scale != 0) {
                    std::int64_t rest = pay % scale;
                    text += '.';
                    for (int digit = 0; digit < 4 && rest != 0; ++digit) {
                        rest *= 10;
                        text += static_cast<char>('0' + rest / scale);
                        rest %= scale;
                    }
                }
                same.push_back({lines[row], text});
            }
            EXPECT_EQ(with_pays(game, same), game) << name << " for " << coins << " coins";
        }
    }
}

TEST(PayChanges, KeepEveryPayExactInTheLargestUnit) {
    const Game jacks = built_in("jacks-or-better-9-6");
    const std::vector<PayChange> meter = {{"royal", "1200"}};
    const Game progressive = with_pays(jacks, meter);
    EXPECT_EQ(progressive.pay(0), 1200);
    EXPECT_EQ(progressive.pay_scale(), 1);
    for (std::size_t row = 1; row < jacks.row_count(); ++row) {
        EXPECT_EQ(progressive.pay(row), jacks.pay(row));
        EXPECT_EQ(progressive.rows()[row].classes, jacks.rows()[row].classes);
    }
    // A meter in cents of a coin: every pay in halves, then back to whole coins.
    const Game halves = with_pays(jacks, std::vector<PayChange>{{"royal", "1000.50"}});
    EXPECT_EQ(halves.pay_scale(), 2);
    EXPECT_EQ(halves.pay(0), 2001);
    EXPECT_EQ(halves.pay(1), 100);
    const Game whole =
        with_pays(jacks, std::vector<PayChange>{{"royal", "1000.5"}, {"ROYAL", "900"}});
    EXPECT_EQ(whole.pay_scale(), 1);
    EXPECT_EQ(whole.pay(0), 900);
    // Per coin of the bet analysed: a one-coin bet's royal is 250 a coin today.
    EXPECT_EQ(with_pays(built_in("jacks-or-better-9-6", 1), meter).pay(0), 1200);
}

TEST(PayChanges, NameEveryLineByWordOrLabel) {
    const Game bonus = built_in("double-double-bonus-10-6");
    EXPECT_EQ(
        pay_line_names(bonus),
        (std::vector<std::string>{"royal", "straight-flush", "four-aces-with-2-4",
                                  "four-2s-4s-with-a-4", "four-aces", "four-2s-4s", "four-5s-kings",
                                  "full-house", "flush", "straight", "three", "two-pair", "pair"}));
    EXPECT_EQ(pay_row_named(bonus, "Jacks or Better"), 12u);
    EXPECT_EQ(pay_row_named(bonus, "royal-flush"), 0u);
    EXPECT_EQ(pay_row_named(bonus, "FOUR_ACES"), 4u);
    const Game deuces = built_in("deuces-wild-full-pay");
    EXPECT_EQ(pay_row_named(deuces, "natural-royal"), pay_row_named(deuces, "royal"));
    EXPECT_EQ(deuces.rows()[pay_row_named(deuces, "four-deuces")].label, "four deuces");
    EXPECT_EQ(deuces.rows()[pay_row_named(deuces, "five")].label, "five of a kind");
}

TEST(PayChanges, RefuseWhatCannotBeCountedInOneLine) {
    const Game jacks = built_in("jacks-or-better-9-6");
    EXPECT_EQ(error_of(jacks, {{"wild-royal", "100"}}),
              "Jacks or Better 9/6 has no line 'wild-royal' (its lines: royal, straight-flush, "
              "four, full-house, flush, straight, three, two-pair, pair)");
    EXPECT_EQ(error_of(jacks, {{"nothing", "1"}}).substr(0, 31), "Jacks or Better 9/6 has no line");
    EXPECT_EQ(error_of(jacks, {{"royal", "12oo"}}), "'12oo' is not a pay");
    EXPECT_EQ(error_of(jacks, {{"royal", "-5"}}), "a negative pay '-5'");
    EXPECT_EQ(error_of(jacks, {{"royal", "1.00001"}}),
              "the pay '1.00001' is too large or too finely divided");
    EXPECT_EQ(error_of(jacks, {{"royal", "100000.5"}}),
              "pays this large or this finely divided cannot be counted exactly");
    EXPECT_EQ(error_of(jacks, {{"royal", "100000"}}), "(no error)");
    EXPECT_THROW(parse_pay_change("royal"), PayChangeError);
    EXPECT_THROW(parse_pay_change("=12"), PayChangeError);
    EXPECT_EQ(parse_pay_change("four-aces=400"), (PayChange{"four-aces", "400"}));
}

}  // namespace
}  // namespace quillon::odds

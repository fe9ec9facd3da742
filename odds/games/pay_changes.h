#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "odds/games/pay_decimal.h"
#include "odds/games/pay_table.h"

namespace quillon::odds {

// A pay change that cannot be made: an unknown line, a pay that is not one, or pays the engine
// cannot count exactly. The message is one line, without "error: ".
class PayChangeError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One line of a pay table paid anew, as a progressive meter or another machine pays it: the
// line by name (see pay_line_names) and its pay per coin of the bet, as written ("1200",
// "1234.56").
struct PayChange {
    std::string line;
    std::string per_coin;

    bool operator==(const PayChange&) const = default;
};

// "royal=1200".
PayChange parse_pay_change(std::string_view text);

// The name of each paying row of `game`, in its order: the pay-table file's hand word where one
// word names the row ("royal", "straight-flush", "pair" for the least pair that pays), otherwise
// its label with hyphens ("four-aces-with-2-4", "four-deuces").
std::vector<std::string> pay_line_names(const Game& game);

// The row a name gives, in any case: its name above or its label with hyphens or spaces
// ("jacks-or-better", "natural royal"). Throws PayChangeError for a name no row has.
std::size_t pay_row_named(const Game& game, std::string_view line);

// `game` with one row's pay per coin set: every pay kept exactly, in the largest unit that keeps
// them whole. The row keeps the hands it pays. Throws PayChangeError where the pays would pass
// the engine's limit (Game::kMaxPay units of the finest pay).
Game with_pay(const Game& game, std::size_t row, Decimal per_coin);

// `game` with the changes made in turn; with none, or with today's pays, `game` itself.
Game with_pays(const Game& game, std::span<const PayChange> changes);

}  // namespace quillon::odds

#pragma once

#include <array>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"

namespace quillon::odds {

// A command line quillon-odds cannot use; the message is printed after "error: ".
class CliError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The values of a command line, as the commands' declarations fill them in (command_line.h).
struct Command {
    std::string verb;
    bool json = false;
    // The game, the bet in coins, the hands a round, and the pays changed: --pay HAND=AMOUNT,
    // each a line of the table paid anew, in the order given.
    std::optional<std::string> game;
    std::optional<int> coins, play;
    std::vector<std::string> pays;
    // The five cards of the deal, and the hold checked against the best.
    std::vector<std::string> cards;
    std::optional<std::string> hold;
    // strategy: a chart of at most `lines` lines, of `rules` rules, lines and exceptions
    // together, or the shortest that plays perfectly.
    std::optional<int> lines, rules;
    bool perfect = false;
    // strategy and chart: the chart file to write or read, one deal's cards, and examples.
    std::optional<std::string> save, file;
    std::vector<std::string> hand;
    bool examples = false;
    // meter: the line the meter pays and one step of it, per coin.
    std::optional<std::string> line, step;
    // Ultimate X: the lines played, and the multipliers they carry (a total or one a line).
    std::optional<int> ultimate_x;
    std::optional<std::string> multiplier;
};

// The longest strategy chart `--lines` asks for, and the most hands of a multi-play round.
inline constexpr int kMostLines = 200;
inline constexpr int kMostPlay = 100;

// `--game`: a built-in game's name or a pay-table file; `quillon` without it; with the pays
// `--pay` changes.
Game load_game(const Command& command);

// Five distinct cards of the game's deck.
std::array<CardId, 5> parse_deal(std::span<const std::string> words, const Game& game);

// "s1 s13" or "s1,s13": cards of the deal, as a mask over it; "none" or nothing for none.
std::uint8_t parse_hold(std::string_view text, const std::array<CardId, 5>& deal);

// "quillon, jacks-or-better-9-6, ..."
std::string game_list();

}  // namespace quillon::odds

#pragma once

#include <array>
#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "game/card.h"
#include "odds/pay_table.h"

namespace quillon::odds {

// A command line quillon-odds cannot use; the message is printed after "error: ".
class CliError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A command's words once the options are taken out of them.
struct Command {
    std::vector<std::string_view> words;
    std::optional<std::string_view> game;
    std::optional<int> coins;
    std::optional<std::string_view> hold;
    std::optional<int> lines;
    std::optional<std::string_view> save;
    bool json = false;
    bool examples = false;
    // `--hand`: the command's words after the chart file are the cards of a deal.
    bool hand = false;
};

Command parse_command_line(std::span<const std::string_view> args);

// The longest strategy chart `--lines` asks for.
inline constexpr int kMostLines = 200;

// Refuses the options a command has no use for.
enum Option : unsigned {
    kGameOption = 1,
    kCoinsOption = 2,
    kHoldOption = 4,
    kJsonOption = 8,
    kLinesOption = 16,
    kSaveOption = 32,
    kExamplesOption = 64,
    kHandOption = 128
};
void allow_only(const Command& command, unsigned options);

// `--game`: a built-in game's name or a pay-table file; `quillon` without it.
Game load_game(const Command& command);
// The same from the name and the bet alone.
Game load_game(std::string_view name, std::optional<int> coins);

// Five distinct cards of the game's deck.
std::array<CardId, 5> parse_deal(std::span<const std::string_view> words, const Game& game);

// "s1 s13" or "s1,s13": cards of the deal, as a mask over it; "none" or nothing for none.
std::uint8_t parse_hold(std::string_view text, const std::array<CardId, 5>& deal);

// "quillon, jacks-or-better-9-6, ..."
std::string game_list();

}  // namespace quillon::odds

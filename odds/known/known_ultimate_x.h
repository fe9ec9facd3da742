#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "odds/games/pay_table.h"
#include "odds/known/worked_out.h"
#include "odds/play/ultimate_x.h"

namespace quillon::odds {

// A built-in game's Ultimate X solved ahead, without the policy: quillon-ultimate-x-table-writer
// (tools/ultimate_x_table) writes them into odds/known/ultimate_x.tsv, so that `return` and
// `hand` need not solve the game, which takes seconds.
struct KnownUltimateX {
    WorkedOutFor found_for;
    int lines = 0;
    std::span<const int> earned;
    int iterations = 0;
    // gain, gain error, perfect, plain, thumb, average multiplier, hit frequency, deviation
    std::span<const double> figures;
    std::span<const double> value;
    std::span<const double> chance;
};

// The columns of their table (odds/known/ultimate_x.tsv), a row a game and line count: the
// figures in their order above from the seventh on, and the lists of value and chance.
inline constexpr std::string_view kUltimateXColumns[] = {
    "game",           "lines",           "pay_scale",    "pays",
    "earned",         "iterations",      "gain",         "gain_error",
    "perfect_return", "plain_return",    "thumb_return", "average_multiplier",
    "hit_frequency",  "round_deviation", "value",        "chance"};
inline constexpr std::size_t kFirstFigureColumn = 6;

std::span<const KnownUltimateX> known_ultimate_x_games();

// The solution of built-in game `name` played with `game`'s pays and multipliers on `lines`
// lines, where it was worked out ahead (its steps left empty). With no name, any built-in game
// of the same pays and multipliers: a copy of one in a file is the same game.
std::optional<UltimateXSolution> known_ultimate_x(std::string_view name, const Game& game,
                                                  int lines);

}  // namespace quillon::odds

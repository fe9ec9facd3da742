#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "odds/pay_table.h"

namespace quillon::odds {

// The chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands, for the
// built-in games that pay back, at the full bet: found on the circle (RoundResult::
// ladder_from_circle) by tools/ruin_table, which writes known_ruin_table.cpp, because the finer
// circles of the larger rounds take up to a second or so, past `return`'s time. They are used
// only where the game's pays are exactly those they were found for.
struct KnownRuinGame {
    std::string_view name;
    std::int64_t pay_scale = 1;
    std::span<const std::int64_t> pays;
    std::span<const std::array<double, 3>> ever;  // from 2 hands a round up
};

inline constexpr int kKnownRuinFirstPlay = 2;
inline constexpr int kKnownRuinLastPlay = 100;

std::span<const KnownRuinGame> known_ruin_games();

// The chances for built-in game `name` played with `game`'s pays, `play` hands a round, where
// they were worked out ahead.
const std::array<double, 3>* known_ruin_ever(std::string_view name, const Game& game, int play);

}  // namespace quillon::odds

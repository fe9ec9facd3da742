#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "odds/games/pay_table.h"

namespace quillon::odds {

// Figures for bankrolls of 100, 400 and 1,000 bets worked out ahead for one built-in game at the
// full bet, one triple for each number of hands a round from 2 to 100. They are used only where
// the game's pays are exactly those they were found for.
struct KnownByPlay {
    std::string_view name;
    std::int64_t pay_scale = 1;
    std::span<const std::int64_t> pays;
    std::span<const std::array<double, 3>> figures;  // from 2 hands a round up
};

// The columns of a table of such figures (odds/known/within.tsv, ruin.tsv): a row a game and
// number of hands a round.
inline constexpr std::string_view kByPlayColumns[] = {
    "game", "pay_scale", "pays", "play", "bankroll_100", "bankroll_400", "bankroll_1000"};

inline constexpr int kKnownFirstPlay = 2;
inline constexpr int kKnownLastPlay = 100;

// The figures among `games` of built-in game `name` played with `game`'s pays, `play` hands a
// round, where they were worked out ahead.
const std::array<double, 3>* known_by_play(std::span<const KnownByPlay> games,
                                           std::string_view name, const Game& game, int play);

}  // namespace quillon::odds

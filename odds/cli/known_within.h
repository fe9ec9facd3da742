#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "odds/pay_table.h"

namespace quillon::odds {

// The chances of losing 100, 400 and 1,000 bets within a session of kSessionHands hands played
// in rounds of 2 to 100 hands (ceil(kSessionHands / N) rounds), for every built-in game at the
// full bet: by the exact recursion on the bankroll over the rounds' whole distributions
// (odds/session_ruin.h), which takes seconds to minutes a game, so tools/ruin_table writes them
// into known_within_table.cpp. They are used only where the game's pays are exactly those they
// were found for.
struct KnownWithinGame {
    std::string_view name;
    std::int64_t pay_scale = 1;
    std::span<const std::int64_t> pays;
    std::span<const std::array<double, 3>> within;  // from 2 hands a round up
};

inline constexpr int kKnownWithinFirstPlay = 2;
inline constexpr int kKnownWithinLastPlay = 100;

std::span<const KnownWithinGame> known_within_games();

// The chances for built-in game `name` played with `game`'s pays, `play` hands a round, where
// they were worked out ahead.
const std::array<double, 3>* known_ruin_within(std::string_view name, const Game& game, int play);

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "odds/games/pay_table.h"
#include "odds/play/deal_outcomes.h"

namespace quillon::odds {

// A built-in game's deals played with their best holds, as the build played them once for each
// bet its pays differ at: `return` then starts from the distributions, not from every deal.
struct PrecomputedGame {
    std::string_view name;
    std::int64_t pay_scale = 1;
    std::span<const std::int64_t> pays;
    std::span<const std::int32_t> counts;  // distributions by row, as DealOutcomes holds them
    std::span<const std::uint8_t> kept;    // the cards each distribution's hold keeps
    std::span<const std::uint32_t> deals;
    // The chance of ruin of 100, 400 and 1,000 bets within 10,000 hands, one hand a round.
    std::array<double, 3> ruin_within{};
};

std::span<const PrecomputedGame> precomputed_games();

// Whether figures worked out ahead for built-in game `built_name` at these pays belong to
// built-in game `name` played with `game`'s pays.
bool same_game(std::string_view built_name, std::int64_t pay_scale,
               std::span<const std::int64_t> pays, std::string_view name, const Game& game);

// The distributions of built-in game `name` played for `game`'s pays, where the build has them.
const PrecomputedGame* find_precomputed(std::string_view name, const Game& game);
DealOutcomes outcomes_of(const PrecomputedGame& built, const Game& game);

}  // namespace quillon::odds

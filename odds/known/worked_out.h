#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "odds/games/pay_table.h"

namespace quillon::odds {

// What figures worked out ahead were found for: a built-in game by its name, and the pays it had,
// a row of its table each, in units of 1 / pay_scale coin. Figures are used only where a game's
// pays are exactly these.
struct WorkedOutFor {
    std::string_view name;
    std::int64_t pay_scale = 1;
    std::span<const std::int64_t> pays;

    // Whether `game` pays these, row by row.
    bool same_pays(const Game& game) const;
    // Whether the figures belong to built-in game `built_name` played with `game`'s pays.
    bool same_game(std::string_view built_name, const Game& game) const {
        return name == built_name && same_pays(game);
    }
};

}  // namespace quillon::odds

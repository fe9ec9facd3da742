#pragma once

#include <span>
#include <string_view>

namespace quillon::odds {

// A pay-table file shipped with the program, built into it: its name (the file's stem) and text.
struct BuiltinGame {
    std::string_view name;
    std::string_view text;
};

// This machine's table first, then the others as shipped.
std::span<const BuiltinGame> builtin_games();

}  // namespace quillon::odds

#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace quillon::odds {

// True when the command line asks for `strategy`, whatever the order of its options.
bool is_strategy_command(std::span<const std::string_view> args);

// quillon-odds strategy [--game NAME] [--lines N] [--json]: the chart of a game, checked.
int strategy_command(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace quillon::odds

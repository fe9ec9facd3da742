#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace quillon::odds {

// quillon-odds: runs one command line (without the program name). Results go to `out`, errors
// to `err` alone; returns the exit status, 2 for a command line it cannot use.
int run_odds_cli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err);

}  // namespace quillon::odds

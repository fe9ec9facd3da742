#pragma once

#include <ostream>

#include "odds/cli/cli_options.h"

namespace quillon::odds {

// The Ultimate X forms of return, hand and strategy (--ultimate-x N): each checks the rest of
// the command line and that the game is played on N lines, and throws CliError where not.
int run_ultimate_x_return(const Command& command, std::ostream& out);
int run_ultimate_x_hand(const Command& command, std::ostream& out);
int run_ultimate_x_strategy(const Command& command, std::ostream& out);

}  // namespace quillon::odds

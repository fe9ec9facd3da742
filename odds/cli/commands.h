#pragma once

#include <ostream>

#include "odds/cli/cli_options.h"

namespace quillon::odds {

// The commands of quillon-odds, one a file. Each checks its whole command line (throwing
// CliError) before it writes anything to `out`; the first word is the command's own.
int hand_command(const Command& command, std::ostream& out);
int return_command(const Command& command, std::ostream& out);
int games_command(const Command& command, std::ostream& out);
int double_command(const Command& command, std::ostream& out);
int strategy_command(const Command& command, std::ostream& out);
int chart_command(const Command& command, std::ostream& out);

}  // namespace quillon::odds

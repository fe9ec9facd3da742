#pragma once

#include "odds/cli/command_line.h"

namespace quillon::odds {

// The commands of quillon-odds, one a file, each declared once: its help, its options and how it
// runs. A command checks the rest of its command line (throwing CliError) before it writes
// anything to `out`.
extern const CommandSpec kHandCommand;
extern const CommandSpec kReturnCommand;
extern const CommandSpec kStrategyCommand;
extern const CommandSpec kChartCommand;
extern const CommandSpec kGamesCommand;
extern const CommandSpec kDoubleCommand;
extern const CommandSpec kMeterCommand;

}  // namespace quillon::odds

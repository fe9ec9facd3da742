#include "odds/cli/commands.h"
#include "odds/report/odds_json.h"
#include "odds/report/odds_report.h"

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.json();
}

int run(const Command& command, std::ostream& out) {
    if (command.json) {
        print_double_up_json(out, double_up_odds());
    } else {
        print_double_up(out, double_up_odds());
    }
    return 0;
}

}  // namespace

const CommandSpec kDoubleCommand{
    "double", "the odds of one round of the double-up, and what DOUBLE and HALF are worth", declare,
    run, "double takes no arguments but --json; its odds are the machine's"};

}  // namespace quillon::odds

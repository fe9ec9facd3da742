#include "odds/cli/commands.h"
#include "odds/cli/odds_json.h"
#include "odds/cli/odds_report.h"

namespace quillon::odds {

int double_command(const Command& command, std::ostream& out) {
    if (command.words.size() != 1 || command.game || command.coins || command.hold) {
        throw CliError("double takes no arguments but --json; its odds are the machine's");
    }
    if (command.json) {
        out << double_up_json(double_up_odds()).dump(2) << "\n";
    } else {
        print_double_up(out, double_up_odds());
    }
    return 0;
}

}  // namespace quillon::odds

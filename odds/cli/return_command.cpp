#include "odds/cli/commands.h"
#include "odds/cli/odds_json.h"
#include "odds/cli/odds_report.h"
#include "odds/cli/risk_report.h"

namespace quillon::odds {

int return_command(const Command& command, std::ostream& out) {
    allow_only(command, kGameOption | kCoinsOption | kJsonOption);
    if (command.words.size() != 1) {
        throw CliError("return takes no cards");
    }
    const Game game = load_game(command);
    const Tallies tallies(game);
    const GameReturn result = game_return(tallies, 2);
    const SessionRisk risk = session_risk(result);
    if (command.json) {
        nlohmann::ordered_json report = game_return_json(game, result);
        report["risk"] = session_risk_json(game, risk);
        out << report.dump(2) << "\n";
    } else {
        print_game_return(out, game, result);
        print_session_risk(out, game, risk);
    }
    return 0;
}

}  // namespace quillon::odds

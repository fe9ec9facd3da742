#include "odds/cli/commands.h"
#include "odds/cli/odds_json.h"
#include "odds/cli/odds_report.h"

namespace quillon::odds {

int games_command(const Command& command, std::ostream& out) {
    allow_only(command, kCoinsOption | kJsonOption);
    if (command.words.size() != 1) {
        throw CliError("games takes no arguments");
    }
    std::vector<GameSummary> games;
    for (const std::string_view name : game_names()) {
        Command one;
        one.game = name;
        one.coins = command.coins;
        Game game = load_game(one);
        const Tallies tallies(game);
        GameReturn result = game_return(tallies, 2);
        games.push_back({name, std::move(game), std::move(result)});
    }
    if (command.json) {
        out << games_json(games).dump(2) << "\n";
    } else {
        print_games(out, games);
    }
    return 0;
}

}  // namespace quillon::odds

#include "odds/cli/commands.h"
#include "odds/known/precomputed.h"
#include "odds/report/odds_json.h"
#include "odds/report/odds_report.h"

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.coins();
    options.json();
}

int run(const Command& command, std::ostream& out) {
    std::vector<GameSummary> games;
    for (const std::string_view name : game_names()) {
        Command one;
        one.game = std::string(name);
        one.coins = command.coins;
        Game game = load_game(one);
        const PrecomputedGame* built = find_precomputed(name, game);
        GameReturn result = built != nullptr ? game_return_of(outcomes_of(*built, game), game)
                                             : game_return(Tallies(game));
        games.push_back({name, std::move(game), std::move(result)});
    }
    if (command.json) {
        print_games_json(out, games);
    } else {
        print_games(out, games);
    }
    return 0;
}

}  // namespace

const CommandSpec kGamesCommand{"games", "the built-in games and their returns", declare, run};

}  // namespace quillon::odds

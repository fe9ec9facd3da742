#include "odds/cli/commands.h"
#include "odds/cli/strategy_report.h"
#include "odds/strategy/strategy_chart.h"

namespace quillon::odds {

int strategy_command(const Command& command, std::ostream& out) {
    allow_only(command, kGameOption | kCoinsOption | kLinesOption | kJsonOption);
    if (command.words.size() != 1) {
        throw CliError("strategy takes no cards");
    }
    const Game game = load_game(command);
    const Tallies tallies(game);
    const auto lines = static_cast<std::size_t>(command.lines.value_or(0));
    const StrategyChart chart = make_strategy_chart(tallies, lines, 2);
    if (command.json) {
        print_strategy_json(out, game, chart);
    } else {
        print_strategy(out, game, chart);
    }
    return 0;
}

}  // namespace quillon::odds

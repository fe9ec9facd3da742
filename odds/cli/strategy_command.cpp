#include "odds/cli/commands.h"
#include "odds/cli/strategy_report.h"
#include "odds/strategy/strategy_chart.h"

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.game();
    options.coins();
    options.lines();
    options.play();
    options.json();
}

int run(const Command& command, std::ostream& out) {
    const Game game = load_game(command);
    const Tallies tallies(game);
    const auto lines = static_cast<std::size_t>(command.lines.value_or(0));
    const StrategyChart chart = make_strategy_chart(tallies, lines, 2);
    if (command.json) {
        print_strategy_json(out, game, chart, command.play.value_or(1));
    } else {
        print_strategy(out, game, chart, command.play.value_or(1));
    }
    return 0;
}

}  // namespace

const CommandSpec kStrategyCommand{
    "strategy",
    "a chart of hold patterns for the game, best first, derived from the exact holds of every "
    "deal, and what playing by it costs against perfect play",
    declare, run};

}  // namespace quillon::odds

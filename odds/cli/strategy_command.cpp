#include "odds/cli/chart_tasks.h"
#include "odds/cli/commands.h"
#include "odds/cli/ultimate_x_command.h"

namespace quillon::odds {

namespace {

void declare_strategy(CommandOptions& options) {
    options.paid_game();
    options.count("--lines", options.values().lines, 1, kMostLines, "N", "a chart of {} lines",
                  "keeps the chart to at most N lines");
    options.count("--rules", options.values().rules, 1, kMostLines, "N", "a chart of {} rules",
                  "the best chart of N rules found, lines and exceptions on the discards "
                  "counted together (\"king alone, with a 9 discarded\")");
    options.flag("--perfect", options.values().perfect,
                 "the shortest chart found, lines and exceptions counted together, that plays "
                 "every deal perfectly");
    options.play();
    options.text("--save", options.values().save, "FILE", "a file to write",
                 "writes the chart in the chart language (strategy-charts.md)");
    options.flag("--examples", options.values().examples,
                 "shows one deal each line of the chart decides, with the cards it keeps");
    options.json();
    options.ultimate_x();
}

// A multi-play round plays each hand as one hand is played: --play leaves the chart as it is,
// and the report says so.
int run_strategy_command(const Command& command, std::ostream& out) {
    if (command.ultimate_x) {
        if (command.save || command.examples) {
            throw CliError(
                "--ultimate-x lists where perfect play departs from the plain chart: "
                "it takes no --save or --examples");
        }
        if (command.rules || command.perfect) {
            throw CliError("--ultimate-x takes no --rules or --perfect");
        }
        return run_ultimate_x_strategy(command, out);
    }
    if (static_cast<int>(command.lines.has_value()) + static_cast<int>(command.rules.has_value()) +
            static_cast<int>(command.perfect) >
        1) {
        throw CliError("--lines, --rules and --perfect each ask for the chart's length: give one");
    }
    StrategyTask task;
    task.game = command.game;
    task.coins = command.coins;
    task.pays = command.pays;
    task.lines = static_cast<std::size_t>(command.lines.value_or(0));
    task.rules = static_cast<std::size_t>(command.rules.value_or(0));
    task.perfect = command.perfect;
    task.json = command.json;
    task.examples = command.examples;
    task.save = command.save;
    task.play = command.play.value_or(1);
    return run_strategy(task, out);
}

void declare_chart(CommandOptions& options) {
    options.word("file", options.values().file, "FILE", "the chart file");
    options.game();
    options.coins();
    options.deal("--hand", options.values().hand,
                 "the five cards of one deal: the line of the chart that decides it and the "
                 "cards it keeps");
    options.flag("--examples", options.values().examples,
                 "shows one deal each line of the chart decides, with the cards it keeps");
    options.json();
}

int run_chart_command(const Command& command, std::ostream& out) {
    if (!command.file) {
        throw CliError("chart needs a chart file");
    }
    ChartTask task;
    task.file = *command.file;
    task.game = command.game;
    task.coins = command.coins;
    task.json = command.json;
    task.examples = command.examples;
    task.hand = command.hand;
    return run_chart(task, out);
}

}  // namespace

const CommandSpec kStrategyCommand{
    "strategy",
    "a chart of hold patterns for the game, best first, derived from the exact holds of every "
    "deal, and what playing by it costs against perfect play; --save writes it in the chart "
    "language",
    declare_strategy, run_strategy_command};

const CommandSpec kChartCommand{
    "chart",
    "reads a chart in the chart language, hand-written or generated, and scores it exactly over "
    "every deal as strategy does; with --hand, the line that decides one deal and its hold",
    declare_chart, run_chart_command, "chart takes one chart file (cards go after --hand)"};

}  // namespace quillon::odds

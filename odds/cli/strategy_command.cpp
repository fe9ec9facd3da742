#include "odds/cli/chart_tasks.h"
#include "odds/cli/commands.h"

namespace quillon::odds {

namespace {

std::optional<std::string> text_of(std::optional<std::string_view> word) {
    return word ? std::optional<std::string>(*word) : std::nullopt;
}

}  // namespace

int strategy_command(const Command& command, std::ostream& out) {
    allow_only(command, kGameOption | kCoinsOption | kLinesOption | kJsonOption | kSaveOption |
                            kExamplesOption);
    if (command.words.size() != 1) {
        throw CliError("strategy takes no cards");
    }
    StrategyTask task;
    task.game = text_of(command.game);
    task.coins = command.coins;
    task.lines = static_cast<std::size_t>(command.lines.value_or(0));
    task.json = command.json;
    task.examples = command.examples;
    task.save = text_of(command.save);
    return run_strategy(task, out);
}

int chart_command(const Command& command, std::ostream& out) {
    allow_only(command, kGameOption | kCoinsOption | kJsonOption | kExamplesOption | kHandOption);
    if (command.words.size() < 2) {
        throw CliError("chart needs a chart file");
    }
    ChartTask task;
    task.file = std::string(command.words[1]);
    task.game = text_of(command.game);
    task.coins = command.coins;
    task.json = command.json;
    task.examples = command.examples;
    if (command.hand) {
        if (command.words.size() != 7) {
            throw CliError("--hand needs exactly five cards");
        }
        for (std::size_t i = 2; i < 7; ++i) {
            task.hand.emplace_back(command.words[i]);
        }
    } else if (command.words.size() != 2) {
        throw CliError("chart takes one chart file (cards go after --hand)");
    }
    return run_chart(task, out);
}

}  // namespace quillon::odds

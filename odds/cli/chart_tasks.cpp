#include "odds/cli/chart_tasks.h"

#include <fstream>
#include <sstream>

#include "odds/cli/cli_options.h"
#include "odds/cli/strategy_report.h"
#include "odds/strategy/chart_report.h"

namespace quillon::odds {

namespace {

std::string read_text(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (!file || !(text << file.rdbuf())) {
        throw CliError("cannot read the chart file '" + path + "'");
    }
    return text.str();
}

Game game_named(const std::string& name, std::optional<int> coins,
                const std::vector<std::string>& pays = {}) {
    Command command;
    command.game = name;
    command.coins = coins;
    command.pays = pays;
    return load_game(command);
}

}  // namespace

int run_strategy(const StrategyTask& task, std::ostream& out) {
    const std::string id = task.game.value_or("quillon");
    const Game game = game_named(id, task.coins, task.pays);
    const Tallies tallies(game);
    const ChartReport report = make_strategy_chart(tallies, task.lines, id, 2);
    if (task.save) {
        std::ofstream file(*task.save, std::ios::binary | std::ios::trunc);
        if (!(file << chart_file_text(report, game, id)) || !file.flush()) {
            throw CliError("cannot write the chart file '" + *task.save + "'");
        }
    }
    const std::string origin = "derived from the exact holds of " +
                               std::to_string(report.score.deal_classes) + " deal classes";
    if (task.json) {
        print_chart_json(out, game, report, task.examples, task.play);
    } else {
        print_chart_report(out, game, report, origin, task.examples, task.play);
    }
    return 0;
}

int run_chart(const ChartTask& task, std::ostream& out) {
    const std::string text = read_text(task.file);
    try {
        std::optional<std::string> id = task.game;
        if (!id) {
            id = chart_game(text, task.file);
        }
        const Game game = game_named(id.value_or("quillon"), task.coins);
        if (!task.hand.empty()) {
            if (task.examples) {
                throw CliError("--examples and --hand do not go together");
            }
            const std::array<CardId, 5> deal = parse_deal(task.hand, game);
            const Chart chart = read_chart(text, task.file, game);
            const ChartDecision decision = decide_deal(chart, game, deal);
            if (task.json) {
                print_decision_json(out, deal, decision);
            } else {
                print_decision(out, deal, decision);
            }
            return 0;
        }
        const Tallies tallies(game);
        const ChartReport report = report_chart(tallies, text, task.file, 2);
        if (task.json) {
            print_chart_json(out, game, report, task.examples);
        } else {
            print_chart_report(out, game, report,
                               "read from " + task.file + ", scored over " +
                                   std::to_string(report.score.deal_classes) + " deal classes",
                               task.examples);
        }
        return 0;
    } catch (const ChartError& e) {
        throw CliError(e.what());
    }
}

}  // namespace quillon::odds

#include "odds/cli/chart_tasks.h"

#include <variant>

#include "base/regular_file.h"

#include "odds/cli/cli_options.h"
#include "odds/report/strategy_report.h"
#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/rules_report.h"

namespace quillon::odds {

namespace {

std::string read_text(const std::string& path) {
    auto read = read_regular_file(path, kMostChartBytes);
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        throw CliError(path + ": " + problem->reason);
    }
    return std::move(std::get<std::string>(read));
}

Game game_named(const std::string& name, std::optional<int> coins,
                const std::vector<std::string>& pays = {}) {
    Command command;
    command.game = name;
    command.coins = coins;
    command.pays = pays;
    return load_game(command);
}

// Perfect play's cost is below a millionth of a percentage point.
bool plays_perfectly(const ChartReport& report) {
    const ChartCheck& c = report.score.check;
    return 100.0 * (c.perfect_return() - c.chart_return()) < 1e-6;
}

}  // namespace

int run_strategy(const StrategyTask& task, std::ostream& out) {
    const std::string id = task.game.value_or("quillon");
    const Game game = game_named(id, task.coins, task.pays);
    const Tallies tallies(game);
    const ChartReport report = task.rules > 0 || task.perfect
                                   ? make_rules_chart(tallies, task.perfect ? 0 : task.rules, id)
                                   : make_strategy_chart(tallies, task.lines, id);
    if (task.save) {
        if (const auto problem =
                write_regular_file(*task.save, chart_file_text(report, game, id))) {
            throw CliError(*task.save + ": " + problem->reason);
        }
    }
    const std::string origin = "derived from the exact holds of " +
                               std::to_string(report.score.deal_classes) + " deal classes";
    if (task.json) {
        print_chart_json(out, game, report, task.examples, task.play);
    } else {
        print_chart_report(out, game, report, origin, task.examples, task.play);
        if (task.perfect && !plays_perfectly(report)) {
            out << "\nno chart the search found plays every deal perfectly: this one, of "
                << report.rules << " rules, comes closest\n";
        }
    }
    return 0;
}

int run_chart(const ChartTask& task, std::ostream& out) {
    const std::string text = read_text(task.file);
    try {
        std::optional<std::string> id = task.game;
        int id_line = 0;
        if (!id) {
            if (const std::optional<ChartGame> named = chart_game(text, task.file)) {
                id = named->name;
                id_line = named->line;
            }
        }
        const Game game = [&] {
            try {
                return game_named(id.value_or("quillon"), task.coins);
            } catch (const CliError& e) {
                // A game the file names is the file's fault, at its line.
                if (id_line == 0) {
                    throw;
                }
                throw CliError(task.file + ":" + std::to_string(id_line) + ": " + e.what());
            }
        }();
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
        const ChartReport report = report_chart(tallies, text, task.file);
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

#include "odds/cli/commands.h"
#include "odds/cli/ultimate_x_command.h"
#include "odds/play/deal_analysis.h"
#include "odds/report/odds_json.h"
#include "odds/report/odds_report.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.cards();
    options.game();
    options.coins();
    options.text("--hold", options.values().hold, "CARDS", "the cards held",
                 "checks one hold against the best: the cards kept, \"s1 s13\" or \"As,Ks\"; "
                 "\"none\" or '' to draw five");
    options.play();
    options.json();
    options.ultimate_x();
    options.multiplier();
}

int run(const Command& command, std::ostream& out) {
    if (command.ultimate_x) {
        return run_ultimate_x_hand(command, out);
    }
    const Game game = load_game(command);
    const std::array<CardId, 5> deal = parse_deal(command.cards, game);
    std::optional<HoldMask> hold;
    if (command.hold) {
        hold = parse_hold(*command.hold, deal);
    }
    // One deal: counted draw by draw, quicker than building the tallies.
    const FastClassifier classifier(game);
    const std::array<HoldOutcome, kHoldCount> holds = analyze_one_deal(game, classifier, deal);
    const HoldOutcome best = holds_best_first(holds, deal).front();
    if (command.json) {
        nlohmann::ordered_json report = holds_json(game, deal, holds, hold);
        if (command.play) {
            const auto round = [&](const HoldOutcome& h) {
                return nlohmann::ordered_json{
                    {"hands", *command.play},
                    {"return", *command.play * h.expected_return()},
                    {"standard_deviation",
                     std::sqrt(static_cast<double>(*command.play)) * hold_deviation(game, h)}};
            };
            report["best"]["round"] = round(best);
            if (hold) {
                report["checked"]["round"] = round(holds[*hold]);
            }
        }
        out << report.dump(2) << "\n";
        return 0;
    }
    if (hold) {
        print_hold_check(out, game, deal, holds, *hold);
    } else {
        print_holds(out, game, deal, holds);
    }
    if (command.play) {
        std::vector<HoldOutcome> shown = {best};
        if (hold && *hold != best.mask) {
            shown.insert(shown.begin(), holds[*hold]);
        }
        print_hold_rounds(out, game, deal, shown, *command.play);
    }
    return 0;
}

}  // namespace

const CommandSpec kHandCommand{
    "hand",
    "the 32 holds of a deal, best first: the expected return per coin and the chance of each "
    "final hand; with --hold, that hold against the best one and what it gives up per coin",
    declare, run};

}  // namespace quillon::odds

#include "odds/cli/commands.h"
#include "odds/cli/odds_json.h"
#include "odds/cli/odds_report.h"
#include "odds/deal_analysis.h"

namespace quillon::odds {

int hand_command(const Command& command, std::ostream& out) {
    allow_only(command, kGameOption | kCoinsOption | kHoldOption | kJsonOption);
    const Game game = load_game(command);
    const std::array<CardId, 5> deal = parse_deal(std::span(command.words).subspan(1), game);
    std::optional<HoldMask> hold;
    if (command.hold) {
        hold = parse_hold(*command.hold, deal);
    }
    // One deal: counted draw by draw, quicker than building the tallies.
    const FastClassifier classifier(game);
    const std::array<HoldOutcome, kHoldCount> holds = analyze_one_deal(game, classifier, deal);
    if (command.json) {
        out << holds_json(game, deal, holds, hold).dump(2) << "\n";
    } else if (hold) {
        print_hold_check(out, game, deal, holds, *hold);
    } else {
        print_holds(out, game, deal, holds);
    }
    return 0;
}

}  // namespace quillon::odds

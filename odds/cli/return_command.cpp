#include "odds/cli/commands.h"
#include "odds/cli/ultimate_x_command.h"
#include "odds/known/known_by_play.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/report/odds_json.h"
#include "odds/report/odds_report.h"
#include "odds/report/risk_report.h"

#include <algorithm>
#include <thread>

#include <nlohmann/json.hpp>

namespace quillon::odds {

namespace {

void declare(CommandOptions& options) {
    options.paid_game();
    options.play();
    options.json();
    options.ultimate_x();
}

// A table of the player's own: its deal classes made on another core while its tallies are,
// then its deals played on every core. One hand a round needs only the whole game's final hands,
// not each deal's: those are counted straight, with no distributions put together.
struct PlayedTable {
    DealOutcomes outcomes;  // none for one hand a round
    GameReturn result;
};

// With the best holds of a built-in game of the same hands stored (`base`), only the deals whose
// best hold differs at these pays are counted again.
PlayedTable play_table(const Game& game, int play, const PrecomputedGame* base) {
    std::vector<DealClass> classes;
    std::vector<HoldMask> stored;
    std::jthread maker([&] {
        classes = deal_classes(game.jokers());
        if (base != nullptr) {
            stored = stored_best_holds(*base);
        }
    });
    const Tallies tallies(game);
    maker.join();
    const unsigned threads = default_threads();
    PlayedTable out;
    if (base != nullptr) {
        const DealOutcomes built = outcomes_of(*base, game);
        if (play == 1) {
            out.result = replay_return(tallies, classes, stored, built, threads);
        } else {
            out.outcomes = replay_outcomes(tallies, classes, stored, built, threads);
            out.result = game_return_of(out.outcomes, game);
        }
    } else if (play == 1) {
        out.result = game_return(tallies, classes, threads);
    } else {
        out.outcomes = best_hold_outcomes(tallies, classes, threads);
        out.result = game_return_of(out.outcomes, game);
    }
    return out;
}

int run(const Command& command, std::ostream& out) {
    if (command.ultimate_x) {
        return run_ultimate_x_return(command, out);
    }
    const Game game = load_game(command);
    // A built-in game's deals were played when the program was built, and so were those of a
    // pay-table file of the same hands and pays (though not its figures of several hands a round,
    // which the tables have for the built-in games by name).
    const std::string name = command.game.value_or("quillon");
    const PrecomputedGame* built = find_precomputed(name, game);
    const PrecomputedGame* same = built != nullptr ? built : find_same_play(game);
    const int play = command.play.value_or(1);
    PlayedTable played;
    if (same != nullptr) {
        played.outcomes = outcomes_of(*same, game);
        played.result = game_return_of(played.outcomes, game);
    } else {
        played = play_table(game, play, find_replay_base(name, game));
    }
    const DealOutcomes& outcomes = played.outcomes;
    const GameReturn& result = played.result;
    const std::array<double, 3>* within = nullptr;
    if (built != nullptr) {
        within =
            play == 1 ? &built->ruin_within : known_ruin_within(built->found_for.name, game, play);
    } else if (same != nullptr && play == 1) {
        within = &same->ruin_within;
    }
    const SessionRisk risk = round_risk(
        outcomes, result, play, within,
        built != nullptr ? known_ruin_ever(built->found_for.name, game, play) : nullptr, true);
    if (command.json) {
        nlohmann::ordered_json report = game_return_json(game, result);
        // Per round, in bets of one hand's bet, where a round has more than one hand.
        report["standard_deviation"] = risk.standard_deviation;
        report["play"] = risk.play;
        report["risk"] = session_risk_json(game, risk);
        out << report.dump(2) << "\n";
    } else {
        print_game_return(out, game, result);
        print_session_risk(out, game, risk);
    }
    return 0;
}

}  // namespace

const CommandSpec kReturnCommand{
    "return",
    "the whole game under perfect play: every final hand, the return, the hit frequency and the "
    "standard deviation; beside them the risk of a session: where the variance comes from, N0 "
    "and the risk of ruin of a few bankrolls",
    declare, run};

}  // namespace quillon::odds

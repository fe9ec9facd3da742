// Finds the chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands for every
// built-in game that pays back, at the full bet, and writes their table for quillon-odds return:
// quillon-ruin-table-writer FILE (some minutes on two cores; the `regenerate` target runs it and
// copies FILE over odds/known/ruin.tsv).
#include <chrono>
#include <fstream>
#include <iostream>
#include <limits>
#include <string>

#include "odds/games/game_file.h"
#include "odds/known/known_by_play.h"
#include "odds/known/known_table.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_result.h"
#include "odds/risk/round_ruin.h"
#include "odds/risk/session_risk.h"

namespace {

using namespace quillon::odds;
using known::exact_number;

constexpr std::string_view kNotes =
    "The chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands, for every\n"
    "built-in game that pays back, at the full bet. Written by quillon-ruin-table-writer\n"
    "(tools/ruin_table) through the `regenerate` target; not edited.";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quillon-ruin-table-writer FILE\n";
        return 2;
    }
    std::ofstream out(argv[1]);
    out << known::table_head(kNotes, kRuinMethod.name, kRuinMethod.version, kByPlayColumns);
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name, kFullBet).value();
        const PrecomputedGame* built = find_precomputed(name, game);
        const DealOutcomes outcomes =
            built != nullptr ? outcomes_of(*built, game) : best_hold_outcomes(Tallies(game));
        const GameReturn result = game_return_of(outcomes, game);
        if (result.return_rate() <= 1.0) {
            continue;
        }
        const std::string key = std::string(name) + "\t" + std::to_string(game.pay_scale()) + "\t" +
                                known::pays_cell(game) + "\t";
        for (int play = kKnownFirstPlay; play <= kKnownLastPlay; ++play) {
            const auto start = std::chrono::steady_clock::now();
            const RoundResult round(outcomes, result.pays, result.pay_scale, play);
            const RoundRuin ruin =
                round_ruin_ever(round, {100, 400, 1000}, std::numeric_limits<std::size_t>::max());
            if (!ruin.not_exact.empty()) {
                std::cerr << name << ", " << play << " hands: " << ruin.not_exact << "\n";
                return 1;
            }
            out << key << play << "\t" << exact_number(ruin.ever[0]) << "\t"
                << exact_number(ruin.ever[1]) << "\t" << exact_number(ruin.ever[2]) << "\n";
            std::cerr
                << name << " " << play << " "
                << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                << " s\n";
        }
    }
    return out ? 0 : 1;
}

// Finds the chances of ever losing 100, 400 and 1,000 bets to rounds of 2 to 100 hands for every
// built-in game that pays back, at the full bet, and writes them as C++ source for quillon-odds
// return: quillon-ruin-table-writer > odds/cli/known_ruin_table.cpp (some minutes on two cores).
#include <chrono>
#include <cstdio>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "odds/cli/known_ruin.h"
#include "odds/cli/precomputed.h"
#include "odds/deal_outcomes.h"
#include "odds/game_file.h"
#include "odds/risk.h"
#include "odds/round_risk.h"
#include "tools/ruin_table/exact_number.h"

namespace {

using namespace quillon::odds;

}  // namespace

int main() {
    std::cout << "// Written by quillon-ruin-table-writer (tools/ruin_table); not edited by hand. "
                 "Written anew\n// whenever a built-in game's pays or the ladder's method "
                 "change: the tests recompute\n// some of the figures and compare.\n"
                 "#include \"odds/cli/known_ruin.h\"\n\n"
                 "namespace quillon::odds {\n\nnamespace {\n\n";
    std::string table;
    int written = 0;
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name, kFullBet).value();
        const PrecomputedGame* built = find_precomputed(name, game);
        const DealOutcomes outcomes =
            built != nullptr ? outcomes_of(*built, game) : best_hold_outcomes(Tallies(game));
        const GameReturn result = game_return_of(outcomes, game);
        if (result.return_rate() <= 1.0) {
            continue;
        }
        const std::string n = std::to_string(written++);
        std::cout << "constexpr std::int64_t kPays" << n << "[] = {";
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            std::cout << (r == 0 ? "" : ", ") << game.pay(r);
        }
        std::cout << "};\nconstexpr std::array<double, 3> kEver" << n << "[] = {\n";
        for (int play = kKnownFirstPlay; play <= kKnownLastPlay; ++play) {
            const auto start = std::chrono::steady_clock::now();
            const RoundResult round(outcomes, result.pays, result.pay_scale, play);
            const RoundRuin ruin =
                round_ruin_ever(round, {100, 400, 1000}, std::numeric_limits<std::size_t>::max());
            if (!ruin.not_exact.empty()) {
                std::cerr << name << ", " << play << " hands: " << ruin.not_exact << "\n";
                return 1;
            }
            std::cout << "    {" << exact_number(ruin.ever[0]) << ", " << exact_number(ruin.ever[1])
                      << ", " << exact_number(ruin.ever[2]) << "},  // " << play << "\n";
            std::cerr
                << name << " " << play << " "
                << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()
                << " s\n";
        }
        std::cout << "};\n\n";
        table += "    {\"" + std::string(name) + "\", " + std::to_string(game.pay_scale()) +
                 ", kPays" + n + ", kEver" + n + "},\n";
    }
    std::cout << "}  // namespace\n\nstd::span<const KnownByPlay> known_ruin_games() {\n"
                 "    static constexpr KnownByPlay kGames[] = {\n"
              << table << "    };\n    return kGames;\n}\n\n}  // namespace quillon::odds\n";
    return 0;
}

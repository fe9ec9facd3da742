// Finds the chances of losing 100, 400 and 1,000 bets within a session of 10,000 hands played
// in rounds of 2 to 100 hands, for every built-in game at the full bet, and writes their table
// for quillon-odds return: quillon-within-table-writer FILE [GAME...] (the `regenerate` target
// runs it and copies FILE over odds/known/within.tsv). The games are shared between two threads
// (some minutes on two cores). One hand a round is worked out too and checked against the figures
// the build counted by the one-hand recursion. Games named on the command line are worked out
// alone (to time them).
#include <atomic>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "odds/games/game_file.h"
#include "odds/known/known_by_play.h"
#include "odds/known/known_table.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/risk/round_result.h"
#include "odds/risk/session_risk.h"
#include "tools/ruin_table/session_ruin.h"
#include "tools/ruin_table/session_within.h"

namespace {

using namespace quillon::odds;
using known::exact_number;

constexpr std::string_view kNotes =
    "The chances of losing 100, 400 and 1,000 bets within a session of 10,000 hands played in\n"
    "rounds of 2 to 100 hands, for every built-in game at the full bet. Written by\n"
    "quillon-within-table-writer (tools/ruin_table) through the `regenerate` target; not edited.";

struct GameTable {
    std::string key;  // the game's name, pay scale and pays, as the table's first cells
    std::vector<SessionWithin> rows;
    std::string failed;
    double seconds = 0.0;
};

GameTable work_out(std::string_view name) {
    const auto start = std::chrono::steady_clock::now();
    GameTable table;
    const Game game = find_game(name, kFullBet).value();
    table.key = std::string(name) + "\t" + std::to_string(game.pay_scale()) + "\t" +
                known::pays_cell(game) + "\t";
    const PrecomputedGame* built = find_precomputed(name, game);
    const DealOutcomes outcomes =
        built != nullptr ? outcomes_of(*built, game) : best_hold_outcomes(Tallies(game));
    const GameReturn result = game_return_of(outcomes, game);
    const RoundResult round(outcomes, result.pays, result.pay_scale, 1);
    table.rows = session_within(round, 1, kKnownLastPlay);
    // One hand a round: the same figures the one-hand recursion gave.
    const SessionWithin& one = table.rows.front();
    const SessionRisk plain = session_risk(result);
    for (std::size_t i = 0; i < 3; ++i) {
        const double want = plain.ruin_within.empty() ? -1.0 : plain.ruin_within[i];
        if (std::abs(one.chance[i] - want) > 1e-9 * want + 1e-40) {
            table.failed = "one hand a round gives " + exact_number(one.chance[i]) + ", not " +
                           exact_number(want) + ", for bankroll " + std::to_string(i);
        }
    }
    for (const SessionWithin& row : table.rows) {
        for (std::size_t i = 0; i < 3; ++i) {
            if (!within_exact(row.chance[i], row.error[i])) {
                table.failed = std::to_string(row.play) + " hands: the chance " +
                               exact_number(row.chance[i]) + " has a rounding bound of " +
                               exact_number(row.error[i]);
            }
        }
    }
    table.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return table;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: quillon-within-table-writer FILE [GAME...]\n";
        return 2;
    }
    // Games named on the command line alone, to time them; every built-in game by default.
    std::vector<std::string_view> names(argv + 2, argv + argc);
    if (names.empty()) {
        names = game_names();
    }
    std::vector<GameTable> tables(names.size());
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t i = next++; i < names.size(); i = next++) {
            tables[i] = work_out(names[i]);
            std::cerr << names[i] << ": " << tables[i].seconds << " s"
                      << (tables[i].failed.empty() ? "" : ", " + tables[i].failed) << "\n";
        }
    };
    std::thread other(worker);
    worker();
    other.join();
    std::ofstream out(argv[1]);
    out << known::table_head(kNotes, kWithinMethod.name, kWithinMethod.version, kByPlayColumns);
    int failures = 0;
    for (const GameTable& table : tables) {
        failures += table.failed.empty() ? 0 : 1;
        for (const SessionWithin& row : table.rows) {
            if (row.play < kKnownFirstPlay) {
                continue;
            }
            out << table.key << row.play << "\t" << exact_number(row.chance[0]) << "\t"
                << exact_number(row.chance[1]) << "\t" << exact_number(row.chance[2]) << "\n";
        }
    }
    return failures == 0 && out ? 0 : 1;
}

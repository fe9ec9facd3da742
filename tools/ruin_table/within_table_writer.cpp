// Finds the chances of losing 100, 400 and 1,000 bets within a session of 10,000 hands played
// in rounds of 2 to 100 hands, for every built-in game at the full bet, and writes them as C++
// source for quillon-odds return:
//   quillon-within-table-writer > odds/cli/known_within_table.cpp
// The games are shared between two threads (some minutes on two cores). One hand a round is
// worked out too and checked against the figures the build counted by the one-hand recursion.
// Games named on the command line are worked out alone (to time them).
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "odds/cli/known_within.h"
#include "odds/cli/precomputed.h"
#include "odds/deal_outcomes.h"
#include "odds/game_file.h"
#include "odds/risk.h"
#include "odds/round_risk.h"
#include "odds/session_ruin.h"
#include "odds/session_within.h"
#include "tools/ruin_table/exact_number.h"

namespace {

using namespace quillon::odds;

struct GameTable {
    std::string name;
    std::vector<std::int64_t> pays;
    std::int64_t pay_scale = 1;
    std::vector<SessionWithin> rows;
    std::string failed;
    double seconds = 0.0;
};

GameTable work_out(std::string_view name) {
    const auto start = std::chrono::steady_clock::now();
    GameTable table;
    table.name = name;
    const Game game = find_game(name, kFullBet).value();
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        table.pays.push_back(game.pay(r));
    }
    table.pay_scale = game.pay_scale();
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
    // Games named on the command line alone, to time them; every built-in game by default.
    std::vector<std::string_view> names(argv + 1, argv + argc);
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
    std::cout
        << "// Written by quillon-within-table-writer (tools/ruin_table); not edited by hand. "
           "Written anew\n// whenever a built-in game's pays or the recursion change: the "
           "tests recompute some of\n// the figures and compare.\n"
           "#include \"odds/cli/known_within.h\"\n\n"
           "namespace quillon::odds {\n\nnamespace {\n\n";
    std::string list;
    int failures = 0;
    for (std::size_t g = 0; g < tables.size(); ++g) {
        const GameTable& table = tables[g];
        failures += table.failed.empty() ? 0 : 1;
        const std::string n = std::to_string(g);
        std::cout << "constexpr std::int64_t kPays" << n << "[] = {";
        for (std::size_t r = 0; r < table.pays.size(); ++r) {
            std::cout << (r == 0 ? "" : ", ") << table.pays[r];
        }
        std::cout << "};\nconstexpr std::array<double, 3> kWithin" << n << "[] = {\n";
        for (const SessionWithin& row : table.rows) {
            if (row.play < kKnownFirstPlay) {
                continue;
            }
            std::cout << "    {" << exact_number(row.chance[0]) << ", "
                      << exact_number(row.chance[1]) << ", " << exact_number(row.chance[2])
                      << "},  // " << row.play << "\n";
        }
        std::cout << "};\n\n";
        list += "    {\"" + table.name + "\", " + std::to_string(table.pay_scale) + ", kPays" + n +
                ", kWithin" + n + "},\n";
    }
    std::cout << "}  // namespace\n\nstd::span<const KnownByPlay> known_within_games() {\n"
                 "    static constexpr KnownByPlay kGames[] = {\n"
              << list << "    };\n    return kGames;\n}\n\n}  // namespace quillon::odds\n";
    return failures == 0 ? 0 : 1;
}

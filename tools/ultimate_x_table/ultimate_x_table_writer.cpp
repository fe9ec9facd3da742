// Writes the table of every built-in game's Ultimate X solved on each of its line counts, so that
// quillon-odds need not solve them: quillon-ultimate-x-table-writer FILE (the `regenerate` target
// runs it and copies FILE over odds/known/ultimate_x.tsv).
#include <fstream>
#include <iostream>
#include <string>

#include "odds/games/game_file.h"
#include "odds/known/known_table.h"
#include "odds/known/known_ultimate_x.h"
#include "odds/play/tallies.h"
#include "odds/play/ultimate_x.h"

using namespace quillon::odds;

namespace {

constexpr std::string_view kNotes =
    "Every built-in game's Ultimate X solved on each of its line counts: its figures, then the\n"
    "value and the chance of each total multiplier. Written by quillon-ultimate-x-table-writer\n"
    "(tools/ultimate_x_table) through the `regenerate` target; not edited.";

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quillon-ultimate-x-table-writer FILE\n";
        return 2;
    }
    std::ofstream out(argv[1]);
    out << known::table_head(kNotes, kUltimateXMethod.name, kUltimateXMethod.version,
                             kUltimateXColumns);
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name, kFullBet).value();
        if (game.multiplier_tables().empty()) {
            continue;
        }
        const Tallies tallies(game);
        for (const MultiplierTable& table : game.multiplier_tables()) {
            const UltimateXSolution s = solve_ultimate_x(tallies, table);
            out << name << "\t" << table.lines << "\t" << game.pay_scale() << "\t"
                << known::pays_cell(game) << "\t" << known::list_cell<int>(table.earned) << "\t"
                << s.iterations;
            for (const double figure :
                 {s.gain, s.gain_error, s.perfect_return, s.plain_return, s.thumb_return,
                  s.average_multiplier, s.hit_frequency, s.round_deviation}) {
                out << "\t" << known::exact_number(figure);
            }
            out << "\t" << known::list_cell<double>(s.value) << "\t"
                << known::list_cell<double>(s.chance) << "\n";
            std::cerr << name << " on " << table.lines << " lines: " << s.perfect_return << "\n";
        }
    }
    return out ? 0 : 1;
}

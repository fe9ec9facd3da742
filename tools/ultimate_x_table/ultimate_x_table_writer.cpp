// Writes odds/cli/known_ultimate_x_table.cpp: every built-in game's Ultimate X solved on each of
// its line counts, so that quillon-odds need not solve them. Run by hand whenever a built-in
// game's pays or multipliers or the solver change:
//   quillon-ultimate-x-table-writer > odds/cli/known_ultimate_x_table.cpp
#include <iostream>
#include <string>

#include "odds/builtin_games.h"
#include "odds/game_file.h"
#include "odds/tallies.h"
#include "odds/ultimate_x.h"
#include "tools/ruin_table/exact_number.h"

using namespace quillon::odds;

namespace {

void numbers(const std::string& name, const std::vector<double>& values) {
    std::cout << "constexpr double " << name << "[] = {";
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::cout << (i % 4 == 0 ? "\n    " : " ") << exact_number(values[i]) << ",";
    }
    std::cout << "\n};\n";
}

}  // namespace

int main() {
    std::cout
        << "// Written by quillon-ultimate-x-table-writer (tools/ultimate_x_table); not edited "
           "by hand.\n// Written anew whenever a built-in game's pays or multipliers or the "
           "solver change: the\n// tests solve some of the games afresh and compare.\n"
           "#include \"odds/cli/known_ultimate_x.h\"\n\n"
           "namespace quillon::odds {\n\nnamespace {\n\n";
    std::string list;
    int written = 0;
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name, kFullBet).value();
        if (game.multiplier_tables().empty()) {
            continue;
        }
        const Tallies tallies(game);
        for (const MultiplierTable& table : game.multiplier_tables()) {
            const UltimateXSolution s = solve_ultimate_x(tallies, table);
            const std::string n = std::to_string(written++);
            std::cout << "constexpr std::int64_t kPays" << n << "[] = {";
            for (std::size_t r = 0; r < game.row_count(); ++r) {
                std::cout << (r == 0 ? "" : ", ") << game.pay(r);
            }
            std::cout << "};\nconstexpr int kEarned" << n << "[] = {";
            for (std::size_t r = 0; r < table.earned.size(); ++r) {
                std::cout << (r == 0 ? "" : ", ") << table.earned[r];
            }
            std::cout << "};\n";
            numbers("kFigures" + n,
                    {s.gain, s.gain_error, s.perfect_return, s.plain_return, s.thumb_return,
                     s.average_multiplier, s.hit_frequency, s.round_deviation});
            numbers("kValue" + n, s.value);
            numbers("kChance" + n, s.chance);
            std::cout << "\n";
            list += "    {\"" + std::string(name) + "\", " + std::to_string(table.lines) + ", " +
                    std::to_string(game.pay_scale()) + ", kPays" + n + ", kEarned" + n + ", " +
                    std::to_string(s.iterations) + ", kFigures" + n + ", kValue" + n + ", kChance" +
                    n + "},\n";
            std::cerr << name << " on " << table.lines << " lines: " << s.perfect_return << "\n";
        }
    }
    std::cout << "constexpr KnownUltimateX kKnown[] = {\n"
              << list << "};\n\n}  // namespace\n\n"
              << "std::span<const KnownUltimateX> known_ultimate_x_games() { return kKnown; }\n\n"
              << "}  // namespace quillon::odds\n";
    return 0;
}

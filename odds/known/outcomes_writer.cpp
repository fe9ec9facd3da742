// Plays every built-in game's deals with their best holds, for each bet its pays differ at, and
// writes the final-hand distributions and the risk of ruin within a session as C++ source:
// quillon-outcomes-writer FILE.
#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "base/combinatorics.h"
#include "base/file_writer.h"
#include "odds/games/game_file.h"
#include "odds/known/precomputed.h"
#include "odds/play/deal_outcomes.h"
#include "odds/play/suit_classes.h"
#include "odds/risk/session_risk.h"

namespace {

using namespace quillon::odds;

template <typename T>
void write_array(std::ostream& out, const std::string& type, const std::string& name,
                 const std::vector<T>& values) {
    out << "constexpr " << type << " " << name << "[] = {";
    for (std::size_t i = 0; i < values.size(); ++i) {
        out << (i % 24 == 0 ? "\n    " : " ") << +values[i] << ",";
    }
    out << "\n};\n";
}

bool write_outcomes(std::ostream& out) {
    out << "// Written by quillon-outcomes-writer at build time; not edited by hand.\n"
           "#include \"odds/known/precomputed.h\"\n\n"
           "// The best holds are one string a game, longer than the least a compiler must take.\n"
           "#pragma GCC diagnostic ignored \"-Woverlength-strings\"\n\n"
           "namespace quillon::odds {\n\nnamespace {\n\n";
    std::string table;
    int written = 0;
    for (const std::string_view name : game_names()) {
        std::vector<std::vector<std::int64_t>> seen;
        for (int coins = kFullBet; coins <= kMostCoins; ++coins) {
            Game game = find_game(name, coins).value();
            std::vector<std::int64_t> pays;
            for (std::size_t r = 0; r < game.row_count(); ++r) {
                pays.push_back(game.pay(r));
            }
            pays.push_back(game.pay_scale());
            if (std::find(seen.begin(), seen.end(), pays) != seen.end()) {
                continue;
            }
            seen.push_back(pays);
            pays.pop_back();
            const Tallies tallies(game);
            const DealOutcomes outcomes = best_hold_outcomes(tallies);
            const SessionRisk risk = session_risk(game_return_of(outcomes, game));
            std::vector<std::uint32_t> kept;
            std::vector<std::uint32_t> deals;
            const int left = game.deck_size() - 5;
            for (std::size_t i = 0; i < outcomes.size(); ++i) {
                int k = 0;
                while (static_cast<std::int64_t>(choose(left, 5 - k)) != outcomes.draws[i]) {
                    ++k;
                }
                kept.push_back(static_cast<std::uint32_t>(k));
                deals.push_back(static_cast<std::uint32_t>(outcomes.deals[i]));
            }
            const std::string n = std::to_string(written++);
            // The best holds at the full bet, which a table of the same hands at other pays is
            // played again from.
            std::string holds;
            if (coins == kFullBet) {
                const std::vector<DealClass> classes = deal_classes(game.jokers());
                for (const HoldMask hold : best_holds(tallies, classes, default_threads())) {
                    holds += hold_letter(hold);
                }
                out << "constexpr char kBest" << n << "[] =";
                for (std::size_t i = 0; i < holds.size(); i += 96) {
                    out << "\n    \"" << holds.substr(i, 96) << "\"";
                }
                out << ";\n";
            }
            write_array(out, "std::int64_t", "kPays" + n, pays);
            write_array(out, "std::int32_t", "kCounts" + n, outcomes.counts);
            write_array(out, "std::uint8_t", "kKept" + n, kept);
            write_array(out, "std::uint32_t", "kDeals" + n, deals);
            table += "    {{\"" + std::string(name) + "\", " + std::to_string(game.pay_scale()) +
                     ", kPays" + n + "}, kCounts" + n + ", kKept" + n + ", kDeals" + n + ", " +
                     (holds.empty() ? std::string("{}")
                                    : "{kBest" + n + ", sizeof kBest" + n + " - 1}") +
                     ", {";
            for (std::size_t i = 0; i < risk.ruin_within.size(); ++i) {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%.17g", risk.ruin_within[i]);
                table += (i == 0 ? "" : ", ") + std::string(buffer);
            }
            table += "}},\n";
        }
    }
    out << "\nconst PrecomputedGame kGames[] = {\n"
        << table << "};\n\n}  // namespace\n\n"
        << "std::span<const PrecomputedGame> precomputed_games() {\n    return kGames;\n}\n\n"
        << "}  // namespace quillon::odds\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    return quillon::write_file_main(argc, argv, "quillon-outcomes-writer", write_outcomes);
}

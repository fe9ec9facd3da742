#include "odds/cli/odds_cli.h"

#include <array>
#include <exception>
#include <string>
#include <utility>

#include "odds/cli/commands.h"

namespace quillon::odds {

namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: quillon-odds hand CARD CARD CARD CARD CARD [--game GAME] [--coins N] [--hold CARDS]\n"
    "                         [--json]\n"
    "       quillon-odds return [--game GAME] [--coins N] [--json]\n"
    "       quillon-odds strategy [--game GAME] [--coins N] [--lines N] [--save FILE]\n"
    "                             [--examples] [--json]\n"
    "       quillon-odds chart FILE [--game GAME] [--coins N] [--examples] [--json]\n"
    "       quillon-odds chart FILE --hand CARD CARD CARD CARD CARD [--game GAME] [--json]\n"
    "       quillon-odds games [--coins N] [--json]\n"
    "       quillon-odds double [--json]\n"
    "       quillon-odds --help\n"
    "\n"
    "  hand    the 32 holds of a deal, best first: the expected return per coin and the\n"
    "          chance of each final hand; with --hold, that hold against the best one and\n"
    "          what it gives up per coin\n"
    "  return  the whole game under perfect play: every final hand, the return, the hit\n"
    "          frequency and the standard deviation\n"
    "  strategy  a chart of hold patterns for the game, best first, derived from the exact\n"
    "          holds of every deal, and what playing by it costs against perfect play;\n"
    "          --lines N keeps it to N lines; --save FILE writes it in the chart language;\n"
    "          --examples shows one deal each line decides\n"
    "  chart   reads a chart in the chart language (docs/strategy-charts.md) and scores it\n"
    "          exactly like strategy; with --hand, the line that decides a deal and its hold\n"
    "  games   the built-in games and their returns\n"
    "  double  the odds of one round of the double-up, and what DOUBLE and HALF are worth\n"
    "\n"
    "GAME is a built-in game (quillon-odds games lists them; quillon, this machine, by\n"
    "default) or a pay-table file, one statement a line, '#' starting a comment:\n"
    "  name  Jacks or Better 8/5\n"
    "  wild  none                 # none, joker or deuces\n"
    "  royal 250 4000@5           # pays per coin; the full bet's pay where it differs\n"
    "  straight-flush 50\n"
    "  ...\n"
    "  pair  1 jacks              # the least paying rank\n"
    "Hand words: royal wild-royal five four-deuces four-deuces-ace straight-flush four\n"
    "four-aces four-2-4 four-5-k four-aces-kicker four-2-4-kicker full-house flush straight\n"
    "three two-pair pair. --coins N analyses a bet of N coins (default: the full bet).\n"
    "--json writes the same figures for programs, exact fractions beside the decimals.\n"
    "\n"
    "Cards are written as in the game: s1 ... s13, d1 ..., c1 ..., h1 ... h13 (1 the ace,\n"
    "13 the king) and joker.\n";

using CommandFunction = int (*)(const Command&, std::ostream&);

constexpr std::array<std::pair<std::string_view, CommandFunction>, 6> kCommands = {{
    {"hand", hand_command},
    {"return", return_command},
    {"strategy", strategy_command},
    {"chart", chart_command},
    {"games", games_command},
    {"double", double_command},
}};

}  // namespace

int run_odds_cli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
    }
    try {
        const Command command = parse_command_line(args);
        if (command.words.empty()) {
            throw CliError("no command (see quillon-odds --help)");
        }
        const std::string_view verb = command.words.front();
        for (const auto& [name, run] : kCommands) {
            if (name == verb) {
                return run(command, out);
            }
        }
        throw CliError("unknown command '" + std::string(verb) + "' (see quillon-odds --help)");
    } catch (const CliError& e) {
        err << "error: " << e.what() << "\n";
        return kUsageError;
    } catch (const std::exception& e) {
        // Nothing the command line can cause should get here; still one line, and no output.
        err << "error: " << e.what() << "\n";
        return kUsageError;
    }
}

}  // namespace quillon::odds

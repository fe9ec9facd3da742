#include "odds/cli/odds_cli.h"

#include <optional>
#include <string>
#include <vector>

#include "odds/cli/odds_report.h"
#include "odds/cli/strategy_command.h"
#include "odds/pay_table.h"

namespace quillon::odds {

namespace {

constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: quillon-odds hand CARD CARD CARD CARD CARD [--game NAME]\n"
    "       quillon-odds return [--game NAME]\n"
    "       quillon-odds strategy [--game NAME] [--lines N] [--json]\n"
    "       quillon-odds double\n"
    "       quillon-odds --help\n"
    "\n"
    "  hand    the 32 holds of a deal, best first: the expected return per coin and the\n"
    "          chance of each final hand\n"
    "  return  the whole game under perfect play: every final hand, the return, the hit\n"
    "          frequency and the standard deviation\n"
    "  strategy  a chart of hold patterns for the game, best first, derived from the exact\n"
    "          holds of every deal, and what playing by it costs against perfect play\n"
    "  double  the odds of one round of the double-up, and what DOUBLE and HALF are worth\n"
    "\n"
    "Cards are written as in the game: s1 ... s13, d1 ..., c1 ..., h1 ... h13 (1 the ace,\n"
    "13 the king) and joker.\n";

std::string game_list() {
    std::string list;
    for (const std::string_view name : game_names()) {
        list += list.empty() ? "" : ", ";
        list += name;
    }
    return list;
}

// A command's words once `--game` is taken out of them.
struct Command {
    std::vector<std::string_view> words;
    std::optional<std::string_view> game;
};

std::optional<Command> split_options(std::span<const std::string_view> args, std::ostream& err) {
    Command command;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (arg == "--game") {
            if (i + 1 == args.size()) {
                err << "quillon-odds: --game needs a name (" << game_list() << ")\n";
                return std::nullopt;
            }
            command.game = args[++i];
        } else if (arg.starts_with("--game=")) {
            command.game = arg.substr(7);
        } else if (arg.starts_with("--")) {
            err << "quillon-odds: unknown option '" << arg << "'\n" << kUsage;
            return std::nullopt;
        } else {
            command.words.push_back(arg);
        }
    }
    return command;
}

std::optional<Game> pick_game(const Command& command, std::ostream& err) {
    const std::string_view name = command.game.value_or("quillon");
    std::optional<Game> game = find_game(name);
    if (!game) {
        err << "quillon-odds: unknown game '" << name << "' (games: " << game_list() << ")\n";
    }
    return game;
}

int hand_command(const Command& command, std::ostream& out, std::ostream& err) {
    if (command.words.size() != 6) {
        err << "quillon-odds: hand needs exactly five cards\n" << kUsage;
        return kUsageError;
    }
    const std::optional<Game> game = pick_game(command, err);
    if (!game) {
        return kUsageError;
    }
    std::array<CardId, 5> deal{};
    for (std::size_t i = 0; i < 5; ++i) {
        const std::string_view text = command.words[i + 1];
        const std::optional<CardId> card = CardId::parse(text);
        if (!card) {
            err << "quillon-odds: '" << text
                << "' is not a card (s1 ... s13, d1 ..., c1 ..., h1 ... h13, joker)\n";
            return kUsageError;
        }
        if (card->is_joker() && !game->has_joker()) {
            err << "quillon-odds: " << game->name() << " is played without the joker\n";
            return kUsageError;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (deal[j] == *card) {
                err << "quillon-odds: " << text << " is dealt twice\n";
                return kUsageError;
            }
        }
        deal[i] = *card;
    }
    const Tallies tallies(*game);
    print_holds(out, *game, deal, analyze_deal(tallies, deal));
    return 0;
}

int return_command(const Command& command, std::ostream& out, std::ostream& err) {
    if (command.words.size() != 1) {
        err << "quillon-odds: return takes no cards\n" << kUsage;
        return kUsageError;
    }
    const std::optional<Game> game = pick_game(command, err);
    if (!game) {
        return kUsageError;
    }
    const Tallies tallies(*game);
    print_game_return(out, *game, game_return(tallies, 2));
    return 0;
}

}  // namespace

int run_odds_cli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    for (const std::string_view arg : args) {
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
    }
    if (is_strategy_command(args)) {
        return strategy_command(args, out, err);
    }
    const std::optional<Command> command = split_options(args, err);
    if (!command) {
        return kUsageError;
    }
    const std::string_view verb = command->words.empty() ? "" : command->words.front();
    if (verb == "hand") {
        return hand_command(*command, out, err);
    }
    if (verb == "return") {
        return return_command(*command, out, err);
    }
    if (verb == "double") {
        if (command->words.size() != 1 || command->game) {
            err << "quillon-odds: double takes no arguments; its odds are the machine's\n";
            return kUsageError;
        }
        print_double_up(out, double_up_odds());
        return 0;
    }
    if (verb.empty()) {
        err << kUsage;
    } else {
        err << "quillon-odds: unknown command '" << verb << "'\n" << kUsage;
    }
    return kUsageError;
}

}  // namespace quillon::odds

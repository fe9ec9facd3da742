#include "odds/cli/command_line.h"

#include <CLI/CLI.hpp>
#include <charconv>
#include <stdexcept>

#include "odds/cli/commands.h"
#include "odds/games/game_file.h"
#include "odds/report/columns.h"

namespace quillon::odds {

namespace {

constexpr std::size_t kWidth = 92;

// `text` wrapped to kWidth columns, starting at `column`, each further line indented by `indent`.
std::string wrap(std::string_view text, std::size_t column, std::size_t indent) {
    std::string out;
    bool first = true;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t to = std::min(text.find(' ', from), text.size());
        const std::string_view word = text.substr(from, to - from);
        from = to + 1;
        if (!first && column + 1 + word.size() > kWidth) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
        } else if (!first) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        first = false;
    }
    return out;
}

}  // namespace

void CommandOptions::cards() {
    app_.add_option("cards", values_.cards, "the five cards of the deal")
        ->type_name("CARD")
        ->expected(0, -1);
}

void CommandOptions::game() {
    text("--game", values_.game, "GAME", "a name (" + game_list() + ") or a file",
         "a built-in game (quillon-odds games lists them; quillon, this machine, by default) or a "
         "pay-table file");
}

void CommandOptions::coins() {
    count("--coins", values_.coins, 1, kMostCoins, "N", "a bet of {} coins",
          "analyses a bet of N coins (default: the full bet)");
}

void CommandOptions::play() {
    count("--play", values_.play, 1, kMostPlay, "N", "{} hands a round",
          "N hands a round on one deal, as Triple to Hundred Play machines deal them: the "
          "spread, N0 and risk of ruin per round, in bets of one hand's bet");
}

void CommandOptions::pays() {
    needs_["--pay"] = "HAND=AMOUNT";
    const auto check = [](std::string& value) -> std::string {
        return value.starts_with("-") ? "needs HAND=AMOUNT, not '" + value + "'" : "";
    };
    app_.add_option("--pay", values_.pays,
                    "pays a line of the table AMOUNT per coin instead, as a progressive meter "
                    "does (royal=1200, four-aces=400.5); given again for each line")
        ->type_name("HAND=AMOUNT")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
        ->check(CLI::Validator(check, ""));
}

void CommandOptions::paid_game() {
    game();
    coins();
    pays();
}

void CommandOptions::ultimate_x() {
    count("--ultimate-x", values_.ultimate_x, 1, kMostUltimateXLines, "N", "{} lines",
          "Ultimate X on N lines, the bet doubled: each line's win sets the multiplier of its next "
          "hand, and perfect play looks at the multipliers' total");
}

void CommandOptions::multiplier() {
    text("--multiplier", values_.multiplier, "T", "a multiplier total or one multiplier a line",
         "with --ultimate-x: the lines' multipliers, their total (20) or one a line (2,1,4)");
}

void CommandOptions::json() {
    flag("--json", values_.json,
         "writes the same figures for programs, exact fractions beside the decimals");
}

CLI::Option* CommandOptions::text(const std::string& name, std::optional<std::string>& target,
                                  const std::string& value_name, const std::string& needs,
                                  const std::string& help) {
    needs_[name] = needs;
    // A value that reads as an option is the next option, not this one's value: `--game --help`.
    const auto check = [=](std::string& value) -> std::string {
        return value.starts_with("-") ? "needs " + needs + ", not '" + value + "'" : "";
    };
    return app_.add_option(name, target, help)
        ->type_name(value_name)
        ->check(CLI::Validator(check, ""));
}

CLI::Option* CommandOptions::count(const std::string& name, std::optional<int>& target, int least,
                                   int most, const std::string& value_name,
                                   const std::string& takes, const std::string& help) {
    needs_[name] = "a number";
    std::string says = takes;
    const std::size_t range_at = says.find("{}");
    if (range_at == std::string::npos) {
        throw std::logic_error(name + " says what it takes without its range");
    }
    says.replace(range_at, 2, std::to_string(least) + " to " + std::to_string(most));
    const auto check = [=](std::string& value) -> std::string {
        int n = 0;
        const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
        if (error != std::errc{} || end != value.data() + value.size() || n < least || n > most) {
            return "takes " + says + ", not '" + value + "'";
        }
        return {};
    };
    return app_
        .add_option(name, target,
                    help + "; " + value_name + " from " + std::to_string(least) + " to " +
                        std::to_string(most))
        ->type_name(value_name)
        ->check(CLI::Validator(check, ""));
}

CLI::Option* CommandOptions::flag(const std::string& name, bool& target, const std::string& help) {
    return app_.add_flag(name, target, help)->disable_flag_override();
}

CLI::Option* CommandOptions::word(const std::string& name, std::optional<std::string>& target,
                                  const std::string& value_name, const std::string& help) {
    return app_.add_option(name, target, help)->type_name(value_name);
}

CLI::Option* CommandOptions::deal(const std::string& name, std::vector<std::string>& target,
                                  const std::string& help) {
    needs_[name] = "five cards";
    return app_.add_option(name, target, help)->type_name("CARDS")->expected(5);
}

const std::vector<CommandSpec>& command_specs() {
    static const std::vector<CommandSpec> specs = {kHandCommand,  kReturnCommand, kStrategyCommand,
                                                   kMeterCommand, kChartCommand,  kGamesCommand,
                                                   kDoubleCommand};
    return specs;
}

std::vector<CommandSummary> command_summaries() {
    std::vector<CommandSummary> out;
    for (const CommandSpec& declared : command_specs()) {
        CLI::App app;
        Command values;
        NeedsByOption needs;
        CommandOptions options(app, values, needs);
        declared.declare(options);
        CommandSummary summary{std::string(declared.name), std::string(declared.help), {}, {}};
        for (const CLI::Option* option : app.get_options()) {
            if (option == app.get_help_ptr()) {
                continue;
            }
            if (option->get_positional()) {
                // The cards of a deal are five words; any other word is one.
                const int count = option->get_expected_max() == 1 ? 1 : 5;
                for (int i = 0; i < count; ++i) {
                    summary.words += (summary.words.empty() ? "" : " ") + option->get_type_name();
                }
            } else if (!option->get_lnames().empty()) {
                summary.options.push_back(
                    {"--" + option->get_lnames().front(),
                     option->get_expected_min() == 0 ? std::string() : option->get_type_name(),
                     option->get_description(),
                     option->get_multi_option_policy() == CLI::MultiOptionPolicy::TakeAll});
            }
        }
        out.push_back(std::move(summary));
    }
    return out;
}

std::string usage_text() {
    const std::vector<CommandSummary> commands = command_summaries();
    std::string out;
    for (const CommandSummary& c : commands) {
        std::string line = out.empty() ? "usage: " : "       ";
        line += "quillon-odds " + c.name;
        const std::size_t indent = line.size() + 1;
        std::string rest = c.words;
        for (const OptionSummary& o : c.options) {
            rest += (rest.empty() ? "" : " ") + std::string("[") + o.name;
            rest += o.value_name.empty() ? "]" : "\xa0" + o.value_name + "]";
        }
        std::string wrapped = wrap(rest, indent, indent);
        for (std::size_t at = wrapped.find('\xa0'); at != std::string::npos;
             at = wrapped.find('\xa0', at)) {
            wrapped.replace(at, 1, " ");
        }
        out += line + (rest.empty() ? "" : " " + wrapped) + "\n";
    }
    out += "       quillon-odds --help\n\n";
    std::size_t name_width = 0;
    for (const CommandSummary& c : commands) {
        name_width = std::max(name_width, c.name.size());
    }
    for (const CommandSummary& c : commands) {
        out += "  " + pad_right(c.name, name_width + 2) +
               wrap(c.help, 4 + name_width, 4 + name_width) + "\n";
    }
    out += "\noptions:\n";
    std::vector<std::string> seen;
    for (const CommandSummary& c : commands) {
        for (const OptionSummary& o : c.options) {
            if (std::find(seen.begin(), seen.end(), o.name) != seen.end()) {
                continue;
            }
            seen.push_back(o.name);
            const std::string named = o.name + (o.value_name.empty() ? "" : " " + o.value_name);
            // A name too long for its column has its help on the next line.
            const std::string head = named.size() < 14 ? "  " + pad_right(named, 14)
                                                       : "  " + named + "\n" + std::string(16, ' ');
            out += head + wrap(o.help, 16, 16) + "\n";
        }
    }
    std::string words;
    for (const std::string_view word : hand_words()) {
        words += (words.empty() ? "" : " ") + std::string(word);
    }
    out += "\n" +
           wrap(
               "GAME is a built-in game (quillon-odds games lists them; quillon, this machine, "
               "by default) or a pay-table file, one statement a line, '#' starting a comment:",
               0, 0) +
           "\n"
           "  name  Jacks or Better 8/5\n"
           "  wild  none                 # none, joker, deuces, jokers or deuces joker\n"
           "  royal 250 4000@5           # pays per coin; the full bet's pay where it differs\n"
           "  straight-flush 50\n"
           "  ...\n"
           "  pair  1 jacks              # the least paying rank\n" +
           wrap("Hand words: " + words + ".", 0, 0) + "\n\n" +
           wrap(
               "Cards are written as players write them, in any case: rank then suit (As, Kh, Td "
               "or 10d, 9c, A\u2660, K\u2665, 10\u2666, 2\u2663), as in the game (s1 ... s13, "
               "d1 ..., c1 ..., h1 ... h13, 1 the ace, 13 the king), and the joker as joker or "
               "Jkr. Reports write them as in the game.",
               0, 0) +
           "\n";
    return out;
}

}  // namespace quillon::odds

#include "odds/cli/odds_cli.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <exception>
#include <map>
#include <set>
#include <string>

#include "base/text_file.h"
#include "odds/cli/commands.h"

namespace quillon::odds {

namespace {

constexpr int kUsageError = 2;
// An error line longer than this is cut: a hostile argument is not echoed whole.
constexpr std::size_t kLongestError = 400;

// The error as one line of plain text: control bytes and bytes that are not UTF-8 are written
// as escapes, and a long line is cut at a character.
std::string one_line(std::string_view message) {
    return printable(message, kLongestError);
}

// "--game: 1 required GAME missing" and the like, from CLI11, as this program says them.
std::string parse_error_text(const CLI::ParseError& e, const NeedsByOption& needs) {
    const std::string what = e.what();
    const std::size_t colon = what.find(": ");
    const std::string name = what.substr(0, colon);
    const std::string rest = colon == std::string::npos ? "" : what.substr(colon + 2);
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&e) != nullptr && colon != std::string::npos) {
        const auto found = needs.find(name);
        // An option of several values that gets too few needs them, given once or twice.
        const bool several = found != needs.end() && found->second == "five cards";
        if (rest.find("received") != std::string::npos && !several) {
            return name + " is given twice";
        }
        return name + " needs " + (found == needs.end() ? "a value" : found->second);
    }
    if (what.ends_with(" was given a disallowed flag override")) {
        return "--" + what.substr(0, what.find(' ')) + " takes no value";
    }
    if (dynamic_cast<const CLI::ValidationError*>(&e) != nullptr && colon != std::string::npos) {
        return name + " " + rest;
    }
    return what;
}

bool declared_anywhere(std::string_view option) {
    for (const CommandSummary& c : command_summaries()) {
        for (const OptionSummary& o : c.options) {
            if (o.name == option) {
                return true;
            }
        }
    }
    return false;
}

// The first word a command cannot use, refused by name.
void refuse_extras(const CLI::App& app, const CLI::App* chosen, const CommandSpec* declared,
                   Command& values) {
    std::vector<std::string> stray = app.remaining();
    if (!stray.empty() && stray.front().starts_with("-")) {
        throw CliError("unknown option '" + stray.front() + "' (see quillon-odds --help)");
    }
    if (chosen == nullptr) {
        if (stray.empty()) {
            throw CliError("no command (see quillon-odds --help)");
        }
        throw CliError("unknown command '" + stray.front() + "' (see quillon-odds --help)");
    }
    // Words after "--" are left to the program, not to the command: they are its cards, where
    // it takes cards.
    if (chosen->get_option_no_throw("cards") != nullptr) {
        values.cards.insert(values.cards.end(), stray.begin(), stray.end());
        stray.clear();
    }
    std::vector<std::string> extra = chosen->remaining();
    extra.insert(extra.end(), stray.begin(), stray.end());
    if (extra.empty()) {
        return;
    }
    const std::string& word = extra.front();
    const std::string option = word.substr(0, word.find('='));
    if (word.starts_with("-") && !declared_anywhere(option)) {
        throw CliError("unknown option '" + word + "' (see quillon-odds --help)");
    }
    if (!declared->refusal.empty()) {
        throw CliError(std::string(declared->refusal));
    }
    throw CliError(std::string(declared->name) + " takes no " +
                   (word.starts_with("-") ? option : "cards"));
}

// The words as CLI11 is to read them: "--hold=" is "--hold ''" (an empty value, as the shell's
// '' gives it), while a flag given a value, even an empty one ("--json="), and an option given
// twice are refused here by name. Words after "--" are cards, left as they are.
std::vector<std::string> spelled_out(std::span<const std::string_view> args) {
    std::map<std::string, bool, std::less<>> flag_by_name;
    std::set<std::string, std::less<>> repeating;
    for (const CommandSummary& c : command_summaries()) {
        for (const OptionSummary& o : c.options) {
            flag_by_name[o.name] = o.value_name.empty();
            if (o.repeats) {
                repeating.insert(o.name);
            }
        }
    }
    std::vector<std::string> words;
    std::map<std::string, int, std::less<>> given;
    bool cards = false;
    for (const std::string_view arg : args) {
        cards = cards || arg == "--";
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const auto declared = flag_by_name.find(name);
        if (cards || !arg.starts_with("--") || declared == flag_by_name.end()) {
            words.emplace_back(arg);
            continue;
        }
        if (++given[std::string(name)] > 1 && !repeating.contains(name)) {
            throw CliError(std::string(name) + " is given twice");
        }
        if (equals != std::string_view::npos && declared->second) {
            throw CliError(std::string(name) + " takes no value");
        }
        if (equals != std::string_view::npos && equals + 1 == arg.size()) {
            words.emplace_back(name);
            words.emplace_back();
            continue;
        }
        words.emplace_back(arg);
    }
    return words;
}

int run(std::span<const std::string_view> args, std::ostream& out) {
    Command values;
    NeedsByOption needs;
    CLI::App app("exact video poker odds", "quillon-odds");
    app.set_help_flag("-h,--help");
    app.allow_extras();
    app.require_subcommand(0, 1);
    std::vector<std::pair<CLI::App*, const CommandSpec*>> commands;
    for (const CommandSpec& declared : command_specs()) {
        CLI::App* sub = app.add_subcommand(std::string(declared.name), std::string(declared.help));
        sub->set_help_flag("-h,--help");
        sub->allow_extras();
        CommandOptions options(*sub, values, needs);
        declared.declare(options);
        commands.emplace_back(sub, &declared);
    }
    // CLI11 takes the words last first.
    std::vector<std::string> words = spelled_out(args);
    std::reverse(words.begin(), words.end());
    try {
        app.parse(words);
    } catch (const CLI::CallForHelp&) {
        out << usage_text();
        return 0;
    } catch (const CLI::ParseError& e) {
        throw CliError(parse_error_text(e, needs));
    }
    CLI::App* chosen = nullptr;
    const CommandSpec* declared = nullptr;
    for (const auto& [sub, s] : commands) {
        if (sub->parsed()) {
            chosen = sub;
            declared = s;
        }
    }
    refuse_extras(app, chosen, declared, values);
    for (const CLI::Option* option : chosen->get_options()) {
        // An option of several values (the cards of --hand) takes them all at once.
        const auto most = static_cast<std::size_t>(std::max(1, option->get_expected_max()));
        const bool repeats = option->get_multi_option_policy() == CLI::MultiOptionPolicy::TakeAll;
        if (!option->get_positional() && !repeats && option->count() > most) {
            throw CliError(option->get_name() + " is given twice");
        }
    }
    values.verb = declared->name;
    return declared->run(values, out);
}

}  // namespace

int run_odds_cli(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    try {
        return run(args, out);
    } catch (const std::exception& e) {
        // A command line it cannot use, or anything else: one line, and nothing on the output.
        err << "error: " << one_line(e.what()) << "\n";
        return kUsageError;
    }
}

}  // namespace quillon::odds

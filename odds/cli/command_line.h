#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "odds/cli/cli_options.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace quillon::odds {

// What an option's value must be, for the error when it is missing: "--game needs a name".
using NeedsByOption = std::map<std::string, std::string, std::less<>>;

// The options of one command as it declares them: each bound to a field of `Command`, with its
// range and help. The usage, the errors and the manual's check all read these declarations.
class CommandOptions {
  public:
    CommandOptions(CLI::App& app, Command& values, NeedsByOption& needs)
        : app_(app), values_(values), needs_(needs) {}

    // The options every command shares.
    void cards();  // the five cards of a deal, as words
    void game();
    void coins();
    void play();
    void json();
    void pays();       // --pay HAND=AMOUNT, as often as wanted
    void paid_game();  // game(), coins() and pays(): a table, its bet and the pays changed
    void ultimate_x();
    void multiplier();

    // A new option: text, a whole number within [least, most], or a flag. A number's `takes`
    // says what it takes, "{}" standing for the range: "a bet of {} coins".
    CLI::Option* text(const std::string& name, std::optional<std::string>& target,
                      const std::string& value_name, const std::string& needs,
                      const std::string& help);
    CLI::Option* count(const std::string& name, std::optional<int>& target, int least, int most,
                       const std::string& value_name, const std::string& takes,
                       const std::string& help);
    CLI::Option* flag(const std::string& name, bool& target, const std::string& help);
    // A word of the command itself, such as the file it reads.
    CLI::Option* word(const std::string& name, std::optional<std::string>& target,
                      const std::string& value_name, const std::string& help);
    // An option followed by the five cards of a deal.
    CLI::Option* deal(const std::string& name, std::vector<std::string>& target,
                      const std::string& help);

    Command& values() { return values_; }

  private:
    CLI::App& app_;
    Command& values_;
    NeedsByOption& needs_;
};

// A command of quillon-odds: its name, what it does (for the usage and the manual), its options
// and how it runs. `refusal`, where given, replaces "NAME takes no ..." for words it cannot use.
struct CommandSpec {
    std::string_view name;
    std::string_view help;
    void (*declare)(CommandOptions& options);
    int (*run)(const Command& values, std::ostream& out);
    std::string_view refusal = {};
};

// Every command, in the order the usage lists them.
const std::vector<CommandSpec>& command_specs();

// A command's declaration read back: its name, its words and its options, for the usage and the
// manual page.
struct OptionSummary {
    std::string name;        // "--game"
    std::string value_name;  // "GAME", empty for a flag
    std::string help;
    bool repeats = false;  // given again for each value (--pay)
};
struct CommandSummary {
    std::string name;
    std::string help;
    std::string words;  // "CARD CARD CARD CARD CARD", or empty
    std::vector<OptionSummary> options;
};
std::vector<CommandSummary> command_summaries();

// The usage printed by --help, derived from the declarations.
std::string usage_text();

}  // namespace quillon::odds

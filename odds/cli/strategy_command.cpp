#include "odds/cli/strategy_command.h"

#include <charconv>
#include <optional>
#include <string>

#include "odds/cli/strategy_report.h"
#include "odds/pay_table.h"
#include "odds/strategy/strategy_chart.h"

namespace quillon::odds {

namespace {

constexpr int kUsageError = 2;
constexpr std::size_t kMostLines = 200;

struct StrategyOptions {
    std::string_view game = "quillon";
    std::size_t lines = 0;
    bool json = false;
};

std::optional<std::size_t> parse_lines(std::string_view text) {
    std::size_t n = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (ec != std::errc() || end != text.data() + text.size() || n < 1 || n > kMostLines) {
        return std::nullopt;
    }
    return n;
}

std::optional<StrategyOptions> parse(std::span<const std::string_view> args, std::ostream& err) {
    StrategyOptions options;
    bool verb_seen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        std::optional<std::string_view> value;
        std::string_view name = arg;
        if (const std::size_t eq = arg.find('='); arg.starts_with("--") && eq != arg.npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
        }
        if (name == "--game" || name == "--lines") {
            if (!value) {
                if (i + 1 == args.size()) {
                    err << "error: " << name << " needs a value\n";
                    return std::nullopt;
                }
                value = args[++i];
            }
            if (name == "--game") {
                options.game = *value;
                continue;
            }
            const std::optional<std::size_t> lines = parse_lines(*value);
            if (!lines) {
                err << "error: --lines takes a whole number from 1 to " << kMostLines << ", not '"
                    << *value << "'\n";
                return std::nullopt;
            }
            options.lines = *lines;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "strategy" && !verb_seen) {
            verb_seen = true;
        } else {
            err << "error: strategy does not take '" << arg << "'\n"
                << "usage: quillon-odds strategy [--game NAME] [--lines N] [--json]\n";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace

bool is_strategy_command(std::span<const std::string_view> args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--game" || args[i] == "--lines") {
            ++i;
        } else if (!args[i].starts_with("--")) {
            return args[i] == "strategy";
        }
    }
    return false;
}

int strategy_command(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
    const std::optional<StrategyOptions> options = parse(args, err);
    if (!options) {
        return kUsageError;
    }
    std::optional<Game> game = find_game(options->game);
    if (!game) {
        err << "error: unknown game '" << options->game << "'\n";
        return kUsageError;
    }
    const Tallies tallies(*game);
    const StrategyChart chart = make_strategy_chart(tallies, options->lines, 2);
    if (options->json) {
        print_strategy_json(out, *game, chart);
    } else {
        print_strategy(out, *game, chart);
    }
    return 0;
}

}  // namespace quillon::odds

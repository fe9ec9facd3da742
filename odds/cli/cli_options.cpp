#include "odds/cli/cli_options.h"

#include <charconv>
#include <string>

#include "odds/game_file.h"

namespace quillon::odds {

namespace {

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// The value of `--name VALUE` or `--name=VALUE`; advances past it.
std::optional<std::string_view> value_of(std::string_view name,
                                         std::span<const std::string_view> args, std::size_t& i,
                                         std::string_view needs) {
    const std::string_view arg = args[i];
    if (arg == name) {
        if (i + 1 == args.size()) {
            throw CliError(std::string(name) + " needs " + std::string(needs));
        }
        return args[++i];
    }
    if (arg.size() > name.size() && arg.starts_with(name) && arg[name.size()] == '=') {
        return arg.substr(name.size() + 1);
    }
    return std::nullopt;
}

CardId parse_card(std::string_view text) {
    const std::optional<CardId> card = CardId::parse(text);
    if (!card) {
        throw CliError(quoted(text) +
                       " is not a card (s1 ... s13, d1 ..., c1 ..., h1 ... h13, joker)");
    }
    return *card;
}

// A whole number from 1 to `most` given to `option`.
int count_of(std::string_view option, std::string_view text, int most, std::string_view what,
             std::string_view unit) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc{} || end != text.data() + text.size() || n < 1 || n > most) {
        throw CliError(std::string(option) + " takes " + std::string(what) + " 1 to " +
                       std::to_string(most) + " " + std::string(unit) + ", not " + quoted(text));
    }
    return n;
}

}  // namespace

std::string game_list() {
    std::string list;
    for (const std::string_view name : game_names()) {
        list += list.empty() ? "" : ", ";
        list += name;
    }
    return list;
}

Command parse_command_line(std::span<const std::string_view> args) {
    Command command;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (const auto game =
                value_of("--game", args, i, "a name (" + game_list() + ") or a file")) {
            command.game = *game;
        } else if (const auto coins = value_of("--coins", args, i, "a number of coins")) {
            command.coins = count_of("--coins", *coins, kMostCoins, "a bet of", "coins");
        } else if (const auto lines = value_of("--lines", args, i, "a number of lines")) {
            command.lines = count_of("--lines", *lines, kMostLines, "a chart of", "lines");
        } else if (const auto hold = value_of("--hold", args, i, "the cards held")) {
            command.hold = *hold;
        } else if (const auto save = value_of("--save", args, i, "a file to write")) {
            command.save = *save;
        } else if (arg == "--json") {
            command.json = true;
        } else if (arg == "--examples") {
            command.examples = true;
        } else if (arg == "--hand") {
            command.hand = true;
        } else if (arg.starts_with("--")) {
            throw CliError("unknown option " + quoted(arg) + " (see quillon-odds --help)");
        } else {
            command.words.push_back(arg);
        }
    }
    return command;
}

void allow_only(const Command& command, unsigned options) {
    const std::string_view verb = command.words.front();
    const auto refuse = [&](bool given, unsigned option, std::string_view name) {
        if (given && (options & option) == 0) {
            throw CliError(std::string(verb) + " takes no " + std::string(name));
        }
    };
    refuse(command.game.has_value(), kGameOption, "--game");
    refuse(command.coins.has_value(), kCoinsOption, "--coins");
    refuse(command.hold.has_value(), kHoldOption, "--hold");
    refuse(command.json, kJsonOption, "--json");
    refuse(command.lines.has_value(), kLinesOption, "--lines");
    refuse(command.save.has_value(), kSaveOption, "--save");
    refuse(command.examples, kExamplesOption, "--examples");
    refuse(command.hand, kHandOption, "--hand");
}

Game load_game(const Command& command) {
    return load_game(command.game.value_or("quillon"), command.coins);
}

Game load_game(std::string_view name, std::optional<int> bet) {
    const int coins = bet.value_or(kFullBet);
    try {
        if (std::optional<Game> game = find_game(name, coins)) {
            return std::move(*game);
        }
        if (name.find('/') == std::string_view::npos && !name.ends_with(".game")) {
            throw CliError("unknown game " + quoted(name) + " (games: " + game_list() +
                           "; or a pay-table file)");
        }
        return read_game_file(std::string(name), coins);
    } catch (const GameFileError& e) {
        throw CliError(e.what());
    }
}

std::array<CardId, 5> parse_deal(std::span<const std::string_view> words, const Game& game) {
    if (words.size() != 5) {
        throw CliError("hand needs exactly five cards");
    }
    std::array<CardId, 5> deal{};
    for (std::size_t i = 0; i < 5; ++i) {
        const CardId card = parse_card(words[i]);
        if (card.is_joker() && !game.has_joker()) {
            throw CliError(game.name() + " is played without the joker");
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (deal[j] == card) {
                throw CliError(std::string(words[i]) + " is dealt twice");
            }
        }
        deal[i] = card;
    }
    return deal;
}

std::uint8_t parse_hold(std::string_view text, const std::array<CardId, 5>& deal) {
    std::uint8_t mask = 0;
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t to = std::min(text.find_first_of(" ,", from), text.size());
        const std::string_view word = text.substr(from, to - from);
        from = to + 1;
        if (word.empty() || word == "none") {
            continue;
        }
        const CardId card = parse_card(word);
        std::size_t slot = 0;
        while (slot < 5 && deal[slot] != card) {
            ++slot;
        }
        if (slot == 5) {
            throw CliError("--hold: " + std::string(word) + " is not in the deal");
        }
        if ((mask >> slot & 1u) != 0) {
            throw CliError("--hold: " + std::string(word) + " is held twice");
        }
        mask = static_cast<std::uint8_t>(mask | 1u << slot);
    }
    return mask;
}

}  // namespace quillon::odds

#include "odds/cli/cli_options.h"

#include <algorithm>
#include <string>

#include "base/combinatorics.h"
#include "odds/games/game_file.h"
#include "odds/games/pay_changes.h"

namespace quillon::odds {

namespace {

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

CardId parse_card(std::string_view text) {
    const std::optional<CardId> card = CardId::parse(text);
    if (!card) {
        throw CliError(quoted(text) + " is not a card (" + std::string(kCardForms) + ")");
    }
    return *card;
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

namespace {

Game game_of(const Command& command) {
    const std::string name = command.game.value_or("quillon");
    const int coins = command.coins.value_or(kFullBet);
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

}  // namespace

Game load_game(const Command& command) {
    Game game = game_of(command);
    if (command.pays.empty()) {
        return game;
    }
    try {
        std::vector<PayChange> changes;
        for (const std::string& pay : command.pays) {
            changes.push_back(parse_pay_change(pay));
        }
        return with_pays(game, changes);
    } catch (const PayChangeError& e) {
        throw CliError(std::string("--pay: ") + e.what());
    }
}

std::array<CardId, 5> parse_deal(std::span<const std::string> words, const Game& game) {
    if (words.size() != 5) {
        throw CliError("hand needs exactly five cards");
    }
    std::array<CardId, 5> deal{};
    for (std::size_t i = 0; i < 5; ++i) {
        CardId card = parse_card(words[i]);
        // With two jokers in the deck, "joker" a second time is the second joker.
        if (card == CardId::joker() && game.jokers() == 2 &&
            std::find(deal.begin(), deal.begin() + static_cast<std::ptrdiff_t>(i), card) !=
                deal.begin() + static_cast<std::ptrdiff_t>(i)) {
            card = CardId::second_joker();
        }
        if (card.is_joker() && !game.has_joker()) {
            throw CliError(game.name() + " is played without the joker");
        }
        if (!in_deck(card, game.jokers())) {
            throw CliError(game.name() + " is played with one joker");
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

#include <algorithm>
#include <string>

#include "odds/games/builtin_games.h"
#include "odds/games/game_file.h"

namespace quillon::odds {

std::optional<Game> find_game(std::string_view name, int coins) {
    for (const EmbeddedText& game : builtin_games()) {
        if (game.name == name) {
            return parse_game(game.text, std::string(name) + ".game", coins);
        }
    }
    return std::nullopt;
}

std::vector<std::string_view> game_names() {
    std::vector<std::string_view> names;
    for (const EmbeddedText& game : builtin_games()) {
        names.push_back(game.name);
    }
    return names;
}

Game quillon_game_table() {
    return find_game("quillon").value();
}

Game jacks_or_better_9_6() {
    return find_game("jacks-or-better-9-6").value();
}

}  // namespace quillon::odds

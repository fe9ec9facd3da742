#include "trainer/game_choice.h"

#include <QFileInfo>

#include "odds/games/game_file.h"

namespace quillon::trainer {

odds::Game GameChoice::today(int coins) const {
    if (text) {
        return odds::parse_game(*text, file.toStdString(), coins);
    }
    if (!file.isEmpty()) {
        return odds::read_game_file(file.toStdString(), coins);
    }
    std::optional<odds::Game> game = odds::find_game(builtin.toStdString(), coins);
    if (!game) {
        throw odds::GameFileError("no built-in game " + builtin.toStdString());
    }
    return std::move(*game);
}

odds::Game GameChoice::load(int coins) const {
    odds::Game game = today(coins);
    if (pays.empty()) {
        return game;
    }
    return odds::with_pays(game, pays);
}

QString GameChoice::title() const {
    return file.isEmpty() ? builtin : QFileInfo(file).fileName();
}

GameChoice file_choice(const QString& path) {
    return {{},
            path,
            std::make_shared<const std::string>(odds::read_game_file_text(path.toStdString()))};
}

GameChoice choice_from(const QString& word) {
    if (odds::find_game(word.toStdString())) {
        return {word, {}, {}};
    }
    return file_choice(word);
}

}  // namespace quillon::trainer

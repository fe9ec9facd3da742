#include "trainer/game_choice.h"

#include <QFileInfo>

#include "odds/game_file.h"

namespace quillon::trainer {

odds::Game GameChoice::load(int coins) const {
    if (!file.isEmpty()) {
        return odds::read_game_file(file.toStdString(), coins);
    }
    std::optional<odds::Game> game = odds::find_game(builtin.toStdString(), coins);
    if (!game) {
        throw odds::GameFileError("no built-in game " + builtin.toStdString());
    }
    return std::move(*game);
}

QString GameChoice::title() const {
    return file.isEmpty() ? builtin : QFileInfo(file).fileName();
}

GameChoice choice_from(const QString& word) {
    if (odds::find_game(word.toStdString())) {
        return {word, {}};
    }
    return {{}, word};
}

}  // namespace quillon::trainer

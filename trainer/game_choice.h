#pragma once

#include <QString>

#include "odds/pay_table.h"

namespace quillon::trainer {

// The game being practised: a built-in one by name, or a pay-table file.
struct GameChoice {
    QString builtin;
    QString file;

    // The game for a bet of `coins`; a file that cannot be read throws odds::GameFileError.
    odds::Game load(int coins) const;
    QString title() const;
};

// A command-line word: a built-in game's name, or else a file's path.
GameChoice choice_from(const QString& word);

}  // namespace quillon::trainer

#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "odds/games/pay_changes.h"
#include "odds/games/pay_table.h"

namespace quillon::trainer {

// The game being practised: a built-in one by name, or a pay-table file. A file is read once,
// when it is chosen (file_choice), and its text kept: the game stays the one read then,
// whatever becomes of the file. A choice of a file without its text reads it at each load. A
// progressive meter pays lines of the table anew, per coin of the bet.
struct GameChoice {
    QString builtin;
    QString file;
    std::shared_ptr<const std::string> text = nullptr;
    std::vector<odds::PayChange> pays = {};

    // The game for a bet of `coins`, paid by the meter; a table that cannot be paid at that bet
    // throws odds::GameFileError, a meter it cannot be paid by odds::PayChangeError.
    odds::Game load(int coins) const;
    // The same at today's pays, without the meter.
    odds::Game today(int coins) const;
    QString title() const;
};

// A command-line word: a built-in game's name, or else a file's path, read at once (a file that
// cannot be read throws odds::GameFileError).
GameChoice choice_from(const QString& word);
GameChoice file_choice(const QString& path);

}  // namespace quillon::trainer

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "odds/games/pay_table.h"

namespace quillon::odds {

// A pay-table file that cannot be read: the message starts "FILE:LINE: ".
class GameFileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The bet a file's pays are read for: 0 for the full bet, the one its `@N` figures name (five
// coins where none does).
inline constexpr int kFullBet = 0;
inline constexpr int kMostCoins = 100;

// Reads a game from the text of a pay-table file, one statement a line:
//   name  Jacks or Better 8/5
//   wild  none                 # none, joker, deuces, jokers (two) or deuces joker
//   royal 250 4000@5           # per coin, and for the full bet where it is not 5 times that
//   pair  1  jacks             # the least paying rank
// `source` names the text in errors. The pays are those of a bet of `coins`, per coin bet.
Game parse_game(std::string_view text, const std::string& source, int coins = kFullBet);

// The hand words a file may use, as the reader lists them (for the usage).
std::vector<std::string_view> hand_words();

// A game read from a file on disk: a regular file of at most kMostFileBytes, read without waiting
// on a FIFO or reading a device; anything else is refused as "FILE: is a folder, not a file", ...
// A file is UTF-8 text (a byte order mark may open it) without control characters but the tab;
// a NUL byte, a control character or bytes that are not UTF-8 are refused at their line.
inline constexpr std::size_t kMostFileBytes = 64 * 1024;
Game read_game_file(const std::string& path, int coins = kFullBet);

// The text of a pay-table file, read once for parse_game at any bet; refused as read_game_file
// refuses a file that is not one.
std::string read_game_file_text(const std::string& path);

}  // namespace quillon::odds

#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"

// The words published charts use for a line that the program says in several: "suited 10-J,
// 10-Q or 10-K", "any pat paying hand", plain "4 to a flush" in deuces wild. A chart reads such a
// line as the program's lines it stands for, one after the other at that place.
namespace quillon::odds {

struct Phrase {
    // The program's words of each line the phrase stands for, in the order the tie rule meets
    // their holds.
    std::vector<std::string> parts;
    // Lines whose holds the phrase takes in as well but no line of its own names: a line above
    // it must take them (as "4 to a royal flush" takes suited 10-J-Q-K, an outside straight too).
    std::vector<std::string> above;
};

// Whether the game has a line of these words.
using KnownWords = std::function<bool(const std::string&)>;

// The phrase of a line's words (lower case, single spaces) in the game, or nothing where the
// words are no phrase of it, or name a line the game does not have.
std::optional<Phrase> published_phrase(std::string_view words, const Game& game,
                                       const RankProfile& profile, const KnownWords& known);

}  // namespace quillon::odds

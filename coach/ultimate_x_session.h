#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/card.h"
#include "coach/ultimate_x_score.h"

namespace quillon::coach {

// One scored hand of an Ultimate X session: the deal at the lines' multiplier total, the hold
// played and the best by full value, their full values and what the hold gave away, in base bets.
struct UltimateXHand {
    int number = 0;
    std::array<CardId, 5> deal{};
    int total = 0;
    odds::HoldMask hold = 0;
    odds::HoldMask best = 0;
    double held_value = 0.0;
    double best_value = 0.0;
    double cost = 0.0;
};

// The scored hands of a session at one game, line count and bet.
struct UltimateXSession {
    std::string game;
    int lines = 0;
    int coins = 1;
    std::vector<UltimateXHand> hands;

    // The session's score, as the coach counted it hand by hand.
    UltimateXScore score() const;
};

// The session for a spreadsheet (one line a hand, values in coins) and for a script; a session
// read back from its JSON is the one written. Cards as the odds tools read them: "s1" ... "h13".
std::string ultimate_x_session_csv(const UltimateXSession& session);
std::string ultimate_x_session_json(const UltimateXSession& session);
// Throws std::runtime_error saying what is wrong with the text.
UltimateXSession read_ultimate_x_session(const std::string& json);

// Writes <base>.csv and <base>.json; false when either cannot be written.
bool save_ultimate_x_session(const UltimateXSession& session, const std::string& base);
// Reads a session the coach saved (its .json, or the .json beside a .csv); throws
// std::runtime_error with the reason.
UltimateXSession load_ultimate_x_session(const std::string& path);

}  // namespace quillon::coach

#pragma once

#include <array>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "base/card.h"
#include "odds/play/hold_analysis.h"

namespace quillon::coach {

// The cells a saved session writes for each hand, the same in every kind of session file.

// The cards of the mask, in their slots' order, as "s1 h13 joker".
std::string cards_text(const std::array<CardId, 5>& cards, odds::HoldMask mask = 0x1f);
// The same cards as a JSON array of their texts.
nlohmann::json cards_json(const std::array<CardId, 5>& cards, odds::HoldMask mask = 0x1f);
// A value with six decimals, as a spreadsheet reads it.
std::string number(double value);

}  // namespace quillon::coach

#include "coach/session_cells.h"

#include <cstdio>
#include <nlohmann/json.hpp>

namespace quillon::coach {

std::string cards_text(const std::array<CardId, 5>& cards, odds::HoldMask mask) {
    std::string out;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask & (1u << i)) != 0) {
            out += (out.empty() ? "" : " ") + cards[i].text();
        }
    }
    return out;
}

nlohmann::json cards_json(const std::array<CardId, 5>& cards, odds::HoldMask mask) {
    nlohmann::json out = nlohmann::json::array();
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask & (1u << i)) != 0) {
            out.push_back(cards[i].text());
        }
    }
    return out;
}

std::string number(double value) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%.6f", value);
    return text.data();
}

}  // namespace quillon::coach

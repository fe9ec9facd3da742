#pragma once

#include <array>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "odds/pay_table.h"
#include "odds/tallies.h"

namespace quillon::odds {

// "s1 s13 joker h2 d7" as five cards.
inline std::array<CardId, 5> parse_deal(const std::string& text) {
    std::array<CardId, 5> cards{};
    std::istringstream in(text);
    for (CardId& c : cards) {
        std::string word;
        in >> word;
        c = CardId::parse(word).value();
    }
    return cards;
}

// Tallies take a moment to build, so every test of a game shares one set.
inline const Tallies& shared_tallies(const std::string& game) {
    static std::map<std::string, std::unique_ptr<Tallies>> built;
    std::unique_ptr<Tallies>& slot = built[game];
    if (!slot) {
        slot = std::make_unique<Tallies>(find_game(game).value());
    }
    return *slot;
}

}  // namespace quillon::odds

#pragma once

#include <array>
#include <sstream>
#include <stdexcept>
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

// Tallies take a moment to build, so each built-in game's are built once, when first asked for.
inline const Tallies& shared_tallies(const std::string& game) {
    if (game == "quillon") {
        static const Tallies quillon(quillon_game_table());
        return quillon;
    }
    if (game == "jacks-or-better-9-6") {
        static const Tallies jacks(jacks_or_better_9_6());
        return jacks;
    }
    if (game == "joker-kings-20-7-5") {
        static const Tallies joker_kings(joker_kings_20_7_5());
        return joker_kings;
    }
    throw std::invalid_argument("no built-in game " + game);
}

}  // namespace quillon::odds

#pragma once

#include <array>
#include <map>
#include <memory>
#include <mutex>
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
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<const Tallies>> built;
    const std::scoped_lock hold(lock);
    std::unique_ptr<const Tallies>& tallies = built[game];
    if (!tallies) {
        std::optional<Game> found = find_game(game);
        if (!found) {
            throw std::invalid_argument("no built-in game " + game);
        }
        tallies = std::make_unique<const Tallies>(std::move(*found));
    }
    return *tallies;
}

}  // namespace quillon::odds

#include "odds/known/precomputed.h"

#include <algorithm>

#include "base/combinatorics.h"
#include "odds/games/game_file.h"

namespace quillon::odds {

const PrecomputedGame* find_precomputed(std::string_view name, const Game& game) {
    for (const PrecomputedGame& built : precomputed_games()) {
        if (built.found_for.same_game(name, game)) {
            return &built;
        }
    }
    return nullptr;
}

DealOutcomes outcomes_of(const PrecomputedGame& built, const Game& game) {
    DealOutcomes out;
    out.rows = game.row_count();
    out.counts.assign(built.counts.begin(), built.counts.end());
    out.deals.assign(built.deals.begin(), built.deals.end());
    const int left = game.deck_size() - 5;
    for (const std::uint8_t kept : built.kept) {
        out.draws.push_back(static_cast<std::int64_t>(choose(left, 5 - kept)));
    }
    out.all_deals = choose(game.deck_size(), 5);
    return out;
}

bool same_hands(const Game& a, const Game& b) {
    if (a.wild() != b.wild() || a.row_count() != b.row_count()) {
        return false;
    }
    for (std::size_t r = 0; r < a.row_count(); ++r) {
        if (a.rows()[r].classes != b.rows()[r].classes) {
            return false;
        }
    }
    if (a.wild() == Wild::none) {
        return true;
    }
    // A wild hand is read as the row that pays most: the same reading wherever each two rows'
    // pays compare alike. A natural royal is never a reading of a hand with a wild card.
    const auto order = [](const Game& g, std::size_t i, std::size_t j) {
        return (g.pay(i) > g.pay(j)) - (g.pay(i) < g.pay(j));
    };
    const auto read = [&](std::size_t row) {
        const std::vector<HandClass>& classes = a.rows()[row].classes;
        return std::any_of(classes.begin(), classes.end(),
                           [](HandClass c) { return c != HandClass::natural_royal; });
    };
    for (std::size_t i = 0; i < a.row_count(); ++i) {
        for (std::size_t j = i + 1; j < a.row_count(); ++j) {
            if (read(i) && read(j) && order(a, i, j) != order(b, i, j)) {
                return false;
            }
        }
    }
    return true;
}

namespace {

// Built-in game `built`'s table at the full bet, where its rows could be `game`'s.
std::optional<Game> hands_of(const PrecomputedGame& built, const Game& game) {
    if (built.found_for.pays.size() != game.row_count()) {
        return std::nullopt;
    }
    return find_game(built.found_for.name, kFullBet);
}

}  // namespace

const PrecomputedGame* find_same_play(const Game& game) {
    for (const PrecomputedGame& built : precomputed_games()) {
        if (!built.found_for.same_pays(game)) {
            continue;
        }
        if (const std::optional<Game> hands = hands_of(built, game);
            hands && same_hands(*hands, game)) {
            return &built;
        }
    }
    return nullptr;
}

const PrecomputedGame* find_replay_base(std::string_view name, const Game& game) {
    const PrecomputedGame* named = nullptr;
    for (const PrecomputedGame& built : precomputed_games()) {
        if (!built.best_holds.empty() && built.found_for.name == name) {
            named = &built;
        }
    }
    const auto fits = [&](const PrecomputedGame& built) {
        const std::optional<Game> hands = hands_of(built, game);
        return hands && same_hands(*hands, game);
    };
    if (named != nullptr) {
        return fits(*named) ? named : nullptr;
    }
    for (const PrecomputedGame& built : precomputed_games()) {
        if (!built.best_holds.empty() && fits(built)) {
            return &built;
        }
    }
    return nullptr;
}

std::vector<HoldMask> stored_best_holds(const PrecomputedGame& built) {
    std::vector<HoldMask> out;
    out.reserve(built.best_holds.size());
    for (const char letter : built.best_holds) {
        out.push_back(letter_hold(letter));
    }
    return out;
}

}  // namespace quillon::odds

#include "odds/known/precomputed.h"

#include <algorithm>

#include "base/combinatorics.h"

namespace quillon::odds {

bool same_game(std::string_view built_name, std::int64_t pay_scale,
               std::span<const std::int64_t> pays, std::string_view name, const Game& game) {
    if (built_name != name || pay_scale != game.pay_scale() || pays.size() != game.row_count()) {
        return false;
    }
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        if (pays[r] != game.pay(r)) {
            return false;
        }
    }
    return true;
}

const PrecomputedGame* find_precomputed(std::string_view name, const Game& game) {
    for (const PrecomputedGame& built : precomputed_games()) {
        if (same_game(built.name, built.pay_scale, built.pays, name, game)) {
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

}  // namespace quillon::odds

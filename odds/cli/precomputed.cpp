#include "odds/cli/precomputed.h"

#include <algorithm>

#include "odds/combinatorics.h"

namespace quillon::odds {

const PrecomputedGame* find_precomputed(std::string_view name, const Game& game) {
    for (const PrecomputedGame& built : precomputed_games()) {
        if (built.name != name || built.pay_scale != game.pay_scale() ||
            built.pays.size() != game.row_count()) {
            continue;
        }
        bool same = true;
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            same = same && built.pays[r] == game.pay(r);
        }
        if (same) {
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

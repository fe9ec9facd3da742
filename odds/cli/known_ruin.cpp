#include "odds/cli/known_ruin.h"

namespace quillon::odds {

const std::array<double, 3>* known_ruin_ever(std::string_view name, const Game& game, int play) {
    if (play < kKnownRuinFirstPlay || play > kKnownRuinLastPlay) {
        return nullptr;
    }
    for (const KnownRuinGame& known : known_ruin_games()) {
        if (known.name != name || known.pay_scale != game.pay_scale() ||
            known.pays.size() != game.row_count()) {
            continue;
        }
        bool same = true;
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            same = same && known.pays[r] == game.pay(r);
        }
        const auto at = static_cast<std::size_t>(play - kKnownRuinFirstPlay);
        if (same && at < known.ever.size()) {
            return &known.ever[at];
        }
    }
    return nullptr;
}

}  // namespace quillon::odds

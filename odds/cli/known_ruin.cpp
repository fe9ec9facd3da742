#include "odds/cli/known_ruin.h"

#include "odds/cli/precomputed.h"

namespace quillon::odds {

const std::array<double, 3>* known_ruin_ever(std::string_view name, const Game& game, int play) {
    if (play < kKnownRuinFirstPlay || play > kKnownRuinLastPlay) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(play - kKnownRuinFirstPlay);
    for (const KnownRuinGame& known : known_ruin_games()) {
        if (same_game(known.name, known.pay_scale, known.pays, name, game) &&
            at < known.ever.size()) {
            return &known.ever[at];
        }
    }
    return nullptr;
}

}  // namespace quillon::odds

#include "odds/cli/known_within.h"

#include "odds/cli/precomputed.h"

namespace quillon::odds {

const std::array<double, 3>* known_ruin_within(std::string_view name, const Game& game, int play) {
    if (play < kKnownWithinFirstPlay || play > kKnownWithinLastPlay) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(play - kKnownWithinFirstPlay);
    for (const KnownWithinGame& known : known_within_games()) {
        if (same_game(known.name, known.pay_scale, known.pays, name, game) &&
            at < known.within.size()) {
            return &known.within[at];
        }
    }
    return nullptr;
}

}  // namespace quillon::odds

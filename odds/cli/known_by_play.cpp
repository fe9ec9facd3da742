#include "odds/cli/known_by_play.h"

#include "odds/cli/precomputed.h"

namespace quillon::odds {

const std::array<double, 3>* known_by_play(std::span<const KnownByPlay> games,
                                           std::string_view name, const Game& game, int play) {
    if (play < kKnownFirstPlay || play > kKnownLastPlay) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(play - kKnownFirstPlay);
    for (const KnownByPlay& known : games) {
        if (same_game(known.name, known.pay_scale, known.pays, name, game) &&
            at < known.figures.size()) {
            return &known.figures[at];
        }
    }
    return nullptr;
}

}  // namespace quillon::odds

#include "odds/cli/known_ultimate_x.h"

#include <algorithm>

namespace quillon::odds {

std::optional<UltimateXSolution> known_ultimate_x(std::string_view name, const Game& game,
                                                  int lines) {
    const MultiplierTable* table = game.multipliers_for(lines);
    if (table == nullptr) {
        return std::nullopt;
    }
    for (const KnownUltimateX& k : known_ultimate_x_games()) {
        if ((!name.empty() && k.name != name) || k.lines != lines ||
            k.pay_scale != game.pay_scale() || k.pays.size() != game.row_count() ||
            !std::equal(table->earned.begin(), table->earned.end(), k.earned.begin(),
                        k.earned.end())) {
            continue;
        }
        bool same = true;
        for (std::size_t r = 0; r < game.row_count(); ++r) {
            same = same && k.pays[r] == game.pay(r);
        }
        if (!same) {
            continue;
        }
        UltimateXSolution s;
        s.table = *table;
        s.least_total = lines;
        s.most_total = lines * table->most();
        s.value.assign(k.value.begin(), k.value.end());
        s.chance.assign(k.chance.begin(), k.chance.end());
        s.iterations = k.iterations;
        s.gain = k.figures[0];
        s.gain_error = k.figures[1];
        s.perfect_return = k.figures[2];
        s.plain_return = k.figures[3];
        s.thumb_return = k.figures[4];
        s.average_multiplier = k.figures[5];
        s.hit_frequency = k.figures[6];
        s.round_deviation = k.figures[7];
        return s;
    }
    return std::nullopt;
}

}  // namespace quillon::odds

#include "odds/known/known_ultimate_x.h"

#include <algorithm>
#include <vector>

#include "odds/known/known_table.h"
#include "odds/known/precomputed.h"

namespace quillon::odds {

namespace {

struct UltimateXGames {
    std::vector<std::vector<std::int64_t>> pays;
    std::vector<std::vector<int>> earned;
    std::vector<std::vector<double>> figures;
    std::vector<std::vector<double>> value;
    std::vector<std::vector<double>> chance;
    std::vector<KnownUltimateX> games;
};

UltimateXGames read_ultimate_x() {
    UltimateXGames out;
    const std::optional<known::Table> table = known::read_current(kUltimateXMethod);
    if (!table) {
        return out;
    }
    const std::size_t name = table->column("game");
    const std::size_t lines = table->column("lines");
    const std::size_t scale = table->column("pay_scale");
    const std::size_t pays = table->column("pays");
    const std::size_t earned = table->column("earned");
    const std::size_t iterations = table->column("iterations");
    const std::size_t value = table->column("value");
    const std::size_t chance = table->column("chance");
    for (const std::vector<std::string_view>& row : table->rows) {
        out.pays.push_back(known::integer_list(row[pays]));
        std::vector<int>& row_earned = out.earned.emplace_back();
        for (const std::int64_t e : known::integer_list(row[earned])) {
            row_earned.push_back(static_cast<int>(e));
        }
        std::vector<double>& figures = out.figures.emplace_back();
        for (std::size_t f = 0; f < 8; ++f) {
            const std::string_view column = kUltimateXColumns[kFirstFigureColumn + f];
            figures.push_back(known::number_cell(row[table->column(column)]));
        }
        out.value.push_back(known::number_list(row[value]));
        out.chance.push_back(known::number_list(row[chance]));
    }
    for (std::size_t g = 0; g < table->rows.size(); ++g) {
        const std::vector<std::string_view>& row = table->rows[g];
        out.games.push_back({row[name], static_cast<int>(known::integer_cell(row[lines])),
                             known::integer_cell(row[scale]), out.pays[g], out.earned[g],
                             static_cast<int>(known::integer_cell(row[iterations])), out.figures[g],
                             out.value[g], out.chance[g]});
    }
    return out;
}

}  // namespace

std::span<const KnownUltimateX> known_ultimate_x_games() {
    static const UltimateXGames games = read_ultimate_x();
    return games.games;
}

std::optional<UltimateXSolution> known_ultimate_x(std::string_view name, const Game& game,
                                                  int lines) {
    const MultiplierTable* table = game.multipliers_for(lines);
    if (table == nullptr) {
        return std::nullopt;
    }
    for (const KnownUltimateX& k : known_ultimate_x_games()) {
        if ((!name.empty() && k.name != name) || k.lines != lines ||
            !same_pays(k.pay_scale, k.pays, game) ||
            !std::equal(table->earned.begin(), table->earned.end(), k.earned.begin(),
                        k.earned.end())) {
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

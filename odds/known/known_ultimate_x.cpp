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

// The places of kUltimateXColumns up to the figures, and of the two lists after them.
enum UltimateXColumn : std::size_t { kGame, kLines, kPayScale, kPays, kEarned, kIterations };
constexpr std::size_t kFigures = 8;
constexpr std::size_t kValue = kFirstFigureColumn + kFigures;
constexpr std::size_t kChance = kValue + 1;

UltimateXGames read_ultimate_x() {
    UltimateXGames out;
    const std::optional<known::Table> table = known::read_current(kUltimateXMethod);
    if (!table) {
        return out;
    }
    const std::vector<std::vector<std::string_view>> rows = table->rows_in(kUltimateXColumns);
    for (const std::vector<std::string_view>& row : rows) {
        out.pays.push_back(known::integer_list(row[kPays]));
        std::vector<int>& row_earned = out.earned.emplace_back();
        for (const std::int64_t e : known::integer_list(row[kEarned])) {
            row_earned.push_back(static_cast<int>(e));
        }
        std::vector<double>& figures = out.figures.emplace_back();
        for (std::size_t f = 0; f < kFigures; ++f) {
            figures.push_back(known::number_cell(row[kFirstFigureColumn + f]));
        }
        out.value.push_back(known::number_list(row[kValue]));
        out.chance.push_back(known::number_list(row[kChance]));
    }
    for (std::size_t g = 0; g < rows.size(); ++g) {
        const std::vector<std::string_view>& row = rows[g];
        out.games.push_back({{row[kGame], known::integer_cell(row[kPayScale]), out.pays[g]},
                             static_cast<int>(known::integer_cell(row[kLines])),
                             out.earned[g],
                             static_cast<int>(known::integer_cell(row[kIterations])),
                             out.figures[g],
                             out.value[g],
                             out.chance[g]});
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
        if ((!name.empty() && k.found_for.name != name) || k.lines != lines ||
            !k.found_for.same_pays(game) ||
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

#include "odds/known/known_by_play.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "odds/known/known_table.h"
#include "odds/known/precomputed.h"

namespace quillon::odds {

namespace {

// A table's games as the spans of KnownByPlay look at them.
struct ByPlayGames {
    std::vector<std::vector<std::int64_t>> pays;
    std::vector<std::vector<std::array<double, 3>>> figures;
    std::vector<KnownByPlay> games;
};

// The places of kByPlayColumns.
enum ByPlayColumn : std::size_t { kGame, kPayScale, kPays, kPlay, kFirstBankroll };

ByPlayGames read_by_play(const KnownMethod& method) {
    ByPlayGames out;
    const std::optional<known::Table> table = known::read_current(method);
    if (!table) {
        return out;
    }
    std::vector<std::string_view> names;
    std::vector<std::int64_t> scales;
    for (const std::vector<std::string_view>& row : table->rows_in(kByPlayColumns)) {
        std::vector<std::int64_t> row_pays = known::integer_list(row[kPays]);
        const std::int64_t row_scale = known::integer_cell(row[kPayScale]);
        if (names.empty() || names.back() != row[kGame] || scales.back() != row_scale ||
            out.pays.back() != row_pays) {
            names.push_back(row[kGame]);
            scales.push_back(row_scale);
            out.pays.push_back(std::move(row_pays));
            out.figures.emplace_back();
        }
        if (known::integer_cell(row[kPlay]) !=
            kKnownFirstPlay + static_cast<std::int64_t>(out.figures.back().size())) {
            throw std::runtime_error("the table of " + std::string(method.name) +
                                     " skips a round in " + std::string(row[kGame]));
        }
        std::array<double, 3>& figures = out.figures.back().emplace_back();
        for (std::size_t i = 0; i < 3; ++i) {
            figures[i] = known::number_cell(row[kFirstBankroll + i]);
        }
    }
    for (std::size_t g = 0; g < names.size(); ++g) {
        out.games.push_back({{names[g], scales[g], out.pays[g]}, out.figures[g]});
    }
    return out;
}

}  // namespace

const std::array<double, 3>* known_by_play(std::span<const KnownByPlay> games,
                                           std::string_view name, const Game& game, int play) {
    if (play < kKnownFirstPlay || play > kKnownLastPlay) {
        return nullptr;
    }
    const auto at = static_cast<std::size_t>(play - kKnownFirstPlay);
    for (const KnownByPlay& known : games) {
        if (known.found_for.same_game(name, game) && at < known.figures.size()) {
            return &known.figures[at];
        }
    }
    return nullptr;
}

std::span<const KnownByPlay> known_within_games() {
    static const ByPlayGames games = read_by_play(kWithinMethod);
    return games.games;
}

std::span<const KnownByPlay> known_ruin_games() {
    static const ByPlayGames games = read_by_play(kRuinMethod);
    return games.games;
}

}  // namespace quillon::odds

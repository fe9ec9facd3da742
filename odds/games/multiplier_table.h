#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::odds {

// Ultimate X: a line bets twice the base bet, and the pay row it ends in sets the multiplier
// that line carries into the next hand; a row that pays nothing sets 1.
inline constexpr int kUltimateXBet = 2;
inline constexpr int kMostUltimateXLines = 10;
inline constexpr int kMostMultiplier = 20;

// The multipliers a game awards when played on `lines` lines, one per pay row of the game
// ("nothing" last, always 1).
struct MultiplierTable {
    int lines = 0;
    std::vector<int> earned;

    int most() const;
    // The different multipliers a line can carry, ascending (1 first).
    std::vector<int> values() const;
    bool operator==(const MultiplierTable&) const = default;
};

// The multiplier total a player names: a whole total ("20"), or one multiplier for each of
// `table.lines` lines ("2,1,4"), each one the table awards. A total that no set of lines can
// carry is refused. On a refusal `total` is 0 and `error` says why.
struct MultiplierTotal {
    int total = 0;
    std::string error;
};
MultiplierTotal read_multiplier_total(std::string_view text, const MultiplierTable& table);

// Whether `lines` lines of the table's multipliers can add up to `total`.
bool total_is_reachable(const MultiplierTable& table, int total);

}  // namespace quillon::odds

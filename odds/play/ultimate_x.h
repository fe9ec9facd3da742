#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/card.h"
#include "base/threads.h"
#include "odds/games/multiplier_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// Ultimate X played perfectly. All lines keep the same cards and draw apart, so one hold wins
// T * E[pay] this hand, T the sum of the lines' multipliers, and the next T is the sum of
// `lines` independent draws of the multiplier one line earns under that hold. T is therefore
// the whole state of the machine, and perfect play is the policy of the average-reward Markov
// decision process
//     g + V(T) = E over deals of max over holds h of [ T * E[pay | h] + E[V(T') | h] ] - bet,
// solved by relative value iteration until the gain g is known to kToleranceOfBet of a bet.
//
// Figures in "base bets" are in the pay table's units: one line's bet without the doubling
// (pay per coin of the base bet). Returns are per coin bet, the doubling counted.
inline constexpr double kToleranceOfBet = 1e-9;

// From `from_total` up (to the next step's total), the deal is played with `hold` (a mask over
// the deal's sorted cards).
struct PolicyStep {
    int from_total = 0;
    HoldMask hold = 0;
};

struct UltimateXSolution {
    MultiplierTable table;
    // T runs from least_total (every line at 1X) to most_total; per-T vectors start at least.
    int least_total = 0;
    int most_total = 0;
    // V(T) in base bets, V(least_total) = 0; totals no lines can carry are valued too.
    std::vector<double> value;
    // The long-run share of rounds played at each T under perfect play.
    std::vector<double> chance;
    // The average win per round under perfect play, in base bets, and a bound on its error.
    double gain = 0;
    double gain_error = 0;
    int iterations = 0;

    // Returns per coin bet: perfect play; the best fixed single-hand strategy, which ignores
    // the multipliers; the rule of thumb that values a hold at its win plus the plain game's
    // return for each multiplier step it earns beyond 1X.
    double perfect_return = 0;
    double plain_return = 0;
    double thumb_return = 0;
    // Under perfect play, in the long run: the mean multiplier a line carries, the share of
    // lines that pay, and the standard deviation of a round's win in base bets.
    double average_multiplier = 0;
    double hit_frequency = 0;
    double round_deviation = 0;

    // Perfect play per class of deals (deal_classes order): the steps of class i are
    // steps[step_start[i] .. step_start[i + 1]), by rising total.
    std::vector<std::uint32_t> step_start;
    std::vector<PolicyStep> steps;

    int lines() const { return table.lines; }
    std::size_t state_count() const { return value.size(); }
    double value_at(int total) const;
    double chance_at(int total) const;
    // The perfect hold of deal class `deal_class` at multiplier total `total`.
    HoldMask hold_for(std::size_t deal_class, int total) const;
};

// Solves a game's Ultimate X for one of its multiplier tables, on `threads` threads.
UltimateXSolution solve_ultimate_x(const Tallies& tallies, const MultiplierTable& table,
                                   unsigned threads = default_threads());

// One hold of a deal at a multiplier total, in base bets.
struct UltimateXHold {
    HoldMask mask = 0;  // over the deal's own order
    // This hand's expected win, T * E[pay], and the expected value of the multipliers it
    // leaves, E[V(T')]; the hold's full value is their sum.
    double win = 0;
    double multiplier_value = 0;
    // The plain game's expected pay of the hold, per line at 1X.
    double plain_value = 0;
    // Its place among the 32 holds by plain value, 0 the best (ties kept in mask order).
    int plain_rank = 0;

    double full_value() const { return win + multiplier_value; }
};

// The 32 holds of a deal at multiplier total `total`, best full value first (ties in mask
// order). The solution must be the game's own for the table it was solved for.
std::vector<UltimateXHold> rank_ultimate_x_holds(const UltimateXSolution& solution,
                                                 const Game& game, const FastClassifier& classifier,
                                                 const std::array<CardId, 5>& deal, int total);

// The chances of the next T after a hold, from its final hands by pay row (`draws` of them in
// all): the `lines`-fold sum of one line's earned multiplier. Index 0 is table.lines.
std::vector<double> next_total_chances(const MultiplierTable& table, const std::int32_t* counts,
                                       std::int64_t draws);

}  // namespace quillon::odds

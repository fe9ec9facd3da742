#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "odds/games/multiplier_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/tallies.h"

namespace quillon::odds {

// What Ultimate X needs of one hold: its expected pay, the moments of its pay, its share of
// paying hands, and which of the distinct earned-multiplier distributions it has.
struct HoldChoice {
    HoldMask mask = 0;       // over the deal's sorted cards
    std::uint32_t next = 0;  // index into UltimateXChoices::next_counts
    double pay = 0;          // E[pay] per line at 1X, in base bets
    double pay_square = 0;   // E[pay^2]
    double hits = 0;         // P(pay > 0)
};

// Every class of deals with the holds perfect Ultimate X play may choose: a hold whose pay and
// earned multiplier another hold of the deal matches or beats at once is left out, since the
// value of the multipliers left grows with their total. Alongside, the plain and the
// rule-of-thumb play of each class, which look at all 32 holds.
struct UltimateXChoices {
    std::vector<std::uint32_t> deal_weight;
    // The choices of class i are choices[start[i] .. start[i + 1]).
    std::vector<std::uint32_t> start;
    std::vector<HoldChoice> choices;
    // The distinct distributions of one line's earned multiplier, as counts of each of
    // `values` (table.values()) out of `draws`, values.size() counts a distribution.
    std::vector<int> values;
    std::vector<std::int64_t> next_counts;
    std::vector<std::int64_t> next_draws;
    std::uint64_t all_deals = 0;
    // Over all deals: the plain game's E[pay] and E[earned multiplier] with its best holds,
    // and the same for the rule of thumb.
    double plain_pay = 0;
    double plain_multiplier = 0;
    double thumb_pay = 0;
    double thumb_multiplier = 0;

    std::size_t deal_count() const { return deal_weight.size(); }
    std::size_t next_count() const { return next_draws.size(); }
};

UltimateXChoices ultimate_x_choices(const Tallies& tallies, const MultiplierTable& table,
                                    unsigned threads);

// The `lines`-fold sum of one line's earned multiplier, from its counts over `values`: index j
// is the total lines + j. `lines` may be below the table's (the sum over fewer lines).
std::vector<double> sum_chances(const std::vector<int>& values, const std::int64_t* counts,
                                std::int64_t draws, int lines, int most_multiplier);

}  // namespace quillon::odds

#pragma once

#include <vector>

#include "odds/play/ultimate_x.h"

namespace quillon::coach {

// An Ultimate X session scored by full value: each hold against the best of its deal at the
// multiplier total it was played at, counted in base bets (values of the multipliers measured
// from every line at 1X).
struct UltimateXScore {
    int hands = 0;
    int mistakes = 0;
    double held_value = 0.0;
    double best_value = 0.0;

    // `ranked` best first, as rank_ultimate_x_holds gives them; true when `hold` was a mistake.
    bool add(const std::vector<odds::UltimateXHold>& ranked, odds::HoldMask hold);
    // The full value of the holds played over that of the best holds, in per cent.
    double accuracy() const;
    double cost() const { return best_value - held_value; }
};

// The hold `mask` among `ranked`, and what it gives away against the best, in base bets (0 for
// a hold worth as much, to the solver's tolerance).
const odds::UltimateXHold& hold_in(const std::vector<odds::UltimateXHold>& ranked,
                                   odds::HoldMask mask);
double full_value_cost(const std::vector<odds::UltimateXHold>& ranked, odds::HoldMask mask);

}  // namespace quillon::coach

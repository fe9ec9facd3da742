#include "coach/ultimate_x_score.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace quillon::coach {

const odds::UltimateXHold& hold_in(const std::vector<odds::UltimateXHold>& ranked,
                                   odds::HoldMask mask) {
    const auto it = std::find_if(ranked.begin(), ranked.end(),
                                 [mask](const odds::UltimateXHold& h) { return h.mask == mask; });
    if (it == ranked.end()) {
        throw std::invalid_argument("no such hold among the ranked ones");
    }
    return *it;
}

double full_value_cost(const std::vector<odds::UltimateXHold>& ranked, odds::HoldMask mask) {
    const double best = ranked.front().full_value();
    const double cost = best - hold_in(ranked, mask).full_value();
    // The values of the multipliers are known to the solver's tolerance, no closer.
    return cost > odds::kToleranceOfBet * std::max(1.0, std::abs(best)) ? cost : 0.0;
}

bool UltimateXScore::add(const std::vector<odds::UltimateXHold>& ranked, odds::HoldMask hold) {
    const double cost = full_value_cost(ranked, hold);
    ++hands;
    held_value += hold_in(ranked, hold).full_value();
    best_value += ranked.front().full_value();
    if (cost > 0.0) {
        ++mistakes;
        return true;
    }
    return false;
}

double UltimateXScore::accuracy() const {
    return best_value > 0.0 ? 100.0 * held_value / best_value : 100.0;
}

}  // namespace quillon::coach

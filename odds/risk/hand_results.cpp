#include "odds/risk/hand_results.h"

#include <cmath>
#include <numeric>

#include "odds/risk/round_result.h"
#include "odds/risk/ruin_within.h"

namespace quillon::odds {

double HandResults::mean() const {
    double m = 0.0;
    for (std::size_t i = 0; i < net.size(); ++i) {
        m += probability[i] * net[i];
    }
    return m;
}

double HandResults::variance() const {
    const double m = mean();
    double v = 0.0;
    for (std::size_t i = 0; i < net.size(); ++i) {
        v += probability[i] * (net[i] - m) * (net[i] - m);
    }
    return v;
}

HandResults hand_results(const GameReturn& result) {
    HandResults out;
    out.units_per_bet = result.pay_scale;
    const auto scale = static_cast<double>(result.pay_scale);
    for (std::size_t r = 0; r < result.counts.size(); ++r) {
        if (result.counts[r] == 0) {
            continue;
        }
        out.net.push_back(static_cast<double>(result.pays[r]) / scale - 1.0);
        out.net_units.push_back(result.pays[r] - result.pay_scale);
        out.probability.push_back(result.probability(r));
    }
    return out;
}

std::int64_t finest_units(const HandResults& results) {
    std::int64_t g = results.units_per_bet;
    for (const std::int64_t step : results.net_units) {
        g = std::gcd(g, step < 0 ? -step : step);
    }
    return results.units_per_bet / g;
}

std::vector<double> ruin_within(const HandResults& results, int hands, int max_bankroll) {
    const RoundResult one(results);
    std::vector<std::int64_t> bankrolls;
    for (std::int64_t b = 0; b <= max_bankroll; ++b) {
        bankrolls.push_back(b * one.units());
    }
    return ruin_within(hand_steps(one), hands, one.units(), bankrolls);
}

double ruin_root(const HandResults& results) {
    return RoundResult(results).ruin_root();
}

double ruin_ever(const HandResults& results, int bankroll) {
    return std::pow(ruin_root(results), bankroll);
}

}  // namespace quillon::odds

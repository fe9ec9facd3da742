#pragma once

#include <cstdint>
#include <vector>

#include "odds/deal_outcomes.h"

namespace quillon::odds {

// The result of one round of N hands, in bets of one hand's bet: the hands are dealt once, the
// best hold of the deal kept on every hand, and each hand draws apart from the rest of the deck.
// Given the deal the N draws are independent, so the round's probability generating function is
// the deals' weighted mean of g_d(z)^N, g_d that of one hand after the deal d.
class RoundResult {
  public:
    RoundResult(const DealOutcomes& outcomes, const std::vector<std::int64_t>& pays,
                std::int64_t pay_scale, int play);

    int play() const { return play_; }
    // What a round returns less its N bets, on average, and its variance:
    // N (E[X^2] - E[m_d^2]) + N^2 (E[m_d^2] - E[X]^2), X one hand's pay and m_d its mean given d.
    double mean() const { return mean_; }
    double variance() const { return variance_; }
    // E[z^result] at z = e^-theta, and its derivative in theta.
    long double pgf(long double theta, long double* derivative = nullptr) const;
    // The root z in (0, 1) of E[z^result] = 1; 1 on a game that does not pay back.
    double ruin_root() const;

  private:
    int play_;
    std::size_t rows_;
    std::vector<double> net_;          // per row, in bets
    std::vector<double> chance_;       // per distribution and row
    std::vector<long double> weight_;  // per distribution
    double mean_ = 0.0;
    double variance_ = 0.0;
};

}  // namespace quillon::odds

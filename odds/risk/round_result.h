#pragma once

#include <complex>
#include <cstdint>
#include <vector>

#include "odds/play/deal_outcomes.h"
#include "odds/risk/hand_results.h"

namespace quillon::odds {

// The result of one round of N hands, in bets of one hand's bet: the hands are dealt once, the
// best hold of the deal kept on every hand, and each hand draws apart from the rest of the deck.
// Given the deal the N draws are independent, so the round's probability generating function is
// the deals' weighted mean of g_d(z)^N, g_d that of one hand after the deal d.
class RoundResult {
  public:
    RoundResult(const DealOutcomes& outcomes, const std::vector<std::int64_t>& pays,
                std::int64_t pay_scale, int play);
    // One hand a round: the hand's own results, as one distribution (whatever the deal).
    explicit RoundResult(const HandResults& hand);

    int play() const { return play_; }
    // What a round returns less its N bets, on average, and its variance:
    // N (E[X^2] - E[m_d^2]) + N^2 (E[m_d^2] - E[X]^2), X one hand's pay and m_d its mean given d.
    double mean() const { return mean_; }
    double variance() const { return variance_; }
    // E[z^result] - 1 at a real z, the result in bets.
    long double excess(long double z) const;
    // The root z in (0, 1) of E[z^result] = 1 (walk_root); 1 on a game that does not pay back.
    double ruin_root() const;

    // The round's result counted in steps of 1/units() of a bet, the fewest parts every result is
    // a whole number of; a round loses at most down() steps.
    std::int64_t units() const { return units_; }
    std::int64_t down() const { return down_; }
    // The deals' distinct final-hand distributions: each one's share of the deals, and its
    // chance of each row (final hand), whose result for one hand is step(row) steps.
    std::size_t distributions() const { return weight_d_.size(); }
    std::size_t rows() const { return rows_; }
    double weight(std::size_t d) const { return weight_d_[d]; }
    double chance(std::size_t d, std::size_t row) const { return chance_[d * rows_ + row]; }
    std::int64_t step(std::size_t row) const { return steps_[row]; }
    // One hand's chance of each row over all deals.
    double hand_chance(std::size_t row) const { return hand_chance_[row]; }
    // E[w^result] at complex w, the result in steps, and its derivative; with `blend` below 1,
    // that of rounds whose every deal's hand is blend of its own and 1 - blend of the average
    // deal's (0: N independent hands of the average deal).
    std::complex<double> pgf_at(std::complex<double> w, std::complex<double>* slope,
                                double blend = 1.0) const;

  private:
    // The rows' steps, the distributions' chances row by row and the hand's over all deals.
    void index_rows(const std::vector<std::int64_t>& pays, std::int64_t pay_scale);

    int play_;
    std::size_t rows_;
    std::int64_t units_ = 1;
    std::int64_t down_ = 0;
    std::vector<std::int64_t> steps_;    // per row, one hand's result in steps
    std::vector<double> hand_chance_;    // per row, over all deals
    std::vector<double> weight_d_;       // per distribution
    std::vector<double> net_;            // per row, in bets
    std::vector<double> chance_;         // per distribution and row
    std::vector<double> chance_by_row_;  // the same per row and distribution
    std::vector<long double> weight_;    // per distribution
    double mean_ = 0.0;
    double variance_ = 0.0;
};

}  // namespace quillon::odds

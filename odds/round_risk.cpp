#include "odds/round_risk.h"

#include <cmath>

namespace quillon::odds {

namespace {

long double power(long double x, int n) {
    long double out = 1.0L;
    while (n > 0) {
        if ((n & 1) != 0) {
            out *= x;
        }
        x *= x;
        n >>= 1;
    }
    return out;
}

}  // namespace

RoundResult::RoundResult(const DealOutcomes& outcomes, const std::vector<std::int64_t>& pays,
                         std::int64_t pay_scale, int play)
    : play_(play), rows_(outcomes.rows) {
    const auto scale = static_cast<long double>(pay_scale);
    for (std::size_t r = 0; r < rows_; ++r) {
        net_.push_back(static_cast<double>(static_cast<long double>(pays[r]) / scale - 1.0L));
    }
    long double pay = 0.0L;
    long double squares = 0.0L;
    long double mean_squares = 0.0L;
    const auto all = static_cast<long double>(outcomes.all_deals);
    for (std::size_t i = 0; i < outcomes.size(); ++i) {
        const long double w = static_cast<long double>(outcomes.deals[i]) / all;
        const auto draws = static_cast<long double>(outcomes.draws[i]);
        weight_.push_back(w);
        long double m = 0.0L;
        long double m2 = 0.0L;
        for (std::size_t r = 0; r < rows_; ++r) {
            const long double q = static_cast<long double>(outcomes.counts_of(i)[r]) / draws;
            const long double x = static_cast<long double>(pays[r]) / scale;
            chance_.push_back(static_cast<double>(q));
            m += q * x;
            m2 += q * x * x;
        }
        pay += w * m;
        squares += w * m2;
        mean_squares += w * m * m;
    }
    const auto n = static_cast<long double>(play);
    mean_ = static_cast<double>(n * (pay - 1.0L));
    variance_ =
        static_cast<double>(n * (squares - mean_squares) + n * n * (mean_squares - pay * pay));
}

long double RoundResult::pgf(long double theta, long double* derivative) const {
    // One hand's generating function and its slope in double, the deals' sum in long double.
    std::vector<double> z(rows_);
    std::vector<double> slope_z(rows_);
    for (std::size_t r = 0; r < rows_; ++r) {
        z[r] = static_cast<double>(std::exp(-theta * static_cast<long double>(net_[r])));
        slope_z[r] = -net_[r] * z[r];
    }
    long double sum = 0.0L;
    long double slope = 0.0L;
    for (std::size_t i = 0; i < weight_.size(); ++i) {
        const double* q = chance_.data() + i * rows_;
        double g = 0.0;
        double dg = 0.0;
        for (std::size_t r = 0; r < rows_; ++r) {
            g += q[r] * z[r];
            dg += q[r] * slope_z[r];
        }
        const long double g_rest = power(g, play_ - 1);
        sum += weight_[i] * g_rest * g;
        slope += weight_[i] * static_cast<long double>(play_) * g_rest * dg;
    }
    if (derivative != nullptr) {
        *derivative = slope;
    }
    return sum;
}

double RoundResult::ruin_root() const {
    if (mean_ <= 0.0 || variance_ <= 0.0) {
        return 1.0;
    }
    // h(theta) = E[e^(-theta result)] - 1 is convex with h(0) = 0 and h'(0) = -mean < 0: find a
    // theta beyond the root, then Newton's steps fall to the root from above without passing it.
    long double theta = 2.0L * mean_ / variance_;
    while (pgf(theta) <= 1.0L) {
        theta *= 2;
    }
    for (int i = 0; i < 200; ++i) {
        long double slope = 0.0L;
        const long double h = pgf(theta, &slope) - 1.0L;
        if (h <= 0.0L || slope <= 0.0L) {
            break;
        }
        const long double step = h / slope;
        theta -= step;
        if (step <= theta * 1e-17L) {
            break;
        }
    }
    return static_cast<double>(std::exp(-theta));
}

}  // namespace quillon::odds

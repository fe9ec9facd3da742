#include "odds/risk/round_result.h"

#include "odds/risk/integer_power.h"
#include "odds/risk/walk_root.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <numeric>

namespace quillon::odds {

namespace {

using Complex = std::complex<double>;

}  // namespace

RoundResult::RoundResult(const DealOutcomes& outcomes, const std::vector<std::int64_t>& pays,
                         std::int64_t pay_scale, int play)
    : play_(play), rows_(outcomes.rows) {
    const auto scale = static_cast<long double>(pay_scale);
    for (std::size_t r = 0; r < rows_; ++r) {
        net_.push_back(static_cast<double>(pays[r]) / static_cast<double>(pay_scale) - 1.0);
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
    index_rows(pays, pay_scale);
    const auto n = static_cast<long double>(play);
    mean_ = static_cast<double>(n * (pay - 1.0L));
    variance_ =
        static_cast<double>(n * (squares - mean_squares) + n * n * (mean_squares - pay * pay));
}

RoundResult::RoundResult(const HandResults& hand) : play_(1), rows_(hand.net.size()) {
    net_ = hand.net;
    weight_ = {1.0L};
    chance_ = hand.probability;
    mean_ = hand.mean();
    variance_ = hand.variance();
    std::vector<std::int64_t> pays;
    for (const std::int64_t step : hand.net_units) {
        pays.push_back(step + hand.units_per_bet);
    }
    index_rows(pays, hand.units_per_bet);
}

void RoundResult::index_rows(const std::vector<std::int64_t>& pays, std::int64_t pay_scale) {
    for (const long double w : weight_) {
        weight_d_.push_back(static_cast<double>(w));
    }
    // Row by row, each row padded with zeros to a whole number of blocks of four.
    const std::size_t stride = (weight_.size() + 3) / 4 * 4;
    chance_by_row_.assign(rows_ * stride, 0.0);
    for (std::size_t i = 0; i < weight_.size(); ++i) {
        for (std::size_t r = 0; r < rows_; ++r) {
            chance_by_row_[r * stride + i] = chance_[i * rows_ + r];
        }
    }
    hand_chance_.assign(rows_, 0.0);
    for (std::size_t i = 0; i < weight_.size(); ++i) {
        for (std::size_t r = 0; r < rows_; ++r) {
            hand_chance_[r] += weight_d_[i] * chance_[i * rows_ + r];
        }
    }
    // Steps: the coarsest parts of a bet that every result a hand can have is whole in.
    std::int64_t g = pay_scale;
    for (std::size_t r = 0; r < rows_; ++r) {
        if (hand_chance_[r] > 0.0) {
            g = std::gcd(g, pays[r] - pay_scale);
        }
    }
    units_ = pay_scale / g;
    std::int64_t lowest = 0;
    for (std::size_t r = 0; r < rows_; ++r) {
        steps_.push_back((pays[r] - pay_scale) / g);
        if (hand_chance_[r] > 0.0) {
            lowest = std::min(lowest, steps_.back());
        }
    }
    down_ = -lowest * play_;
}

long double RoundResult::excess(long double z) const {
    std::vector<long double> power_of_z(rows_);
    for (std::size_t r = 0; r < rows_; ++r) {
        power_of_z[r] = std::pow(z, static_cast<long double>(net_[r]));
    }
    long double sum = -1.0L;
    if (play_ == 1) {
        // The deals' hands row by row, w_d q_r z^(result): with the one distribution of a hand
        // (RoundResult of a game's return), one hand's sum term by term.
        for (std::size_t i = 0; i < weight_.size(); ++i) {
            const double* q = chance_.data() + i * rows_;
            for (std::size_t r = 0; r < rows_; ++r) {
                sum += weight_[i] * q[r] * power_of_z[r];
            }
        }
        return sum;
    }
    // w_d g_d^N in long double: the root of a large round moves with the thousandth power of
    // any rounding of g_d, and the bankroll's chance with the thousandth power of the root.
    for (std::size_t i = 0; i < weight_.size(); ++i) {
        const double* q = chance_.data() + i * rows_;
        long double g = 0.0;
        for (std::size_t r = 0; r < rows_; ++r) {
            g += q[r] * power_of_z[r];
        }
        sum += weight_[i] * integer_power(g, play_);
    }
    return sum;
}

double RoundResult::ruin_root() const {
    if (mean_ <= 0.0 || variance_ <= 0.0) {
        return 1.0;
    }
    return walk_root([this](long double z) { return excess(z); });
}

Complex RoundResult::pgf_at(Complex w, Complex* slope, double blend) const {
    // In real arithmetic: std::complex's product checks for infinities at every step, and this
    // sum over every distribution is what the roots cost.
    std::vector<double> v(2 * rows_);
    std::vector<double> dv(2 * rows_);
    for (std::size_t r = 0; r < rows_; ++r) {
        const Complex x = integer_power(w, steps_[r]);
        const Complex dx = static_cast<double>(steps_[r]) * x / w;
        v[2 * r] = x.real();
        v[2 * r + 1] = x.imag();
        dv[2 * r] = dx.real();
        dv[2 * r + 1] = dx.imag();
    }
    // The average deal's share, the same in every deal.
    double a_re = 0.0;
    double a_im = 0.0;
    double da_re = 0.0;
    double da_im = 0.0;
    for (std::size_t r = 0; r < rows_; ++r) {
        const double q = (1.0 - blend) * hand_chance_[r];
        a_re += q * v[2 * r];
        a_im += q * v[2 * r + 1];
        da_re += q * dv[2 * r];
        da_im += q * dv[2 * r + 1];
    }
    for (double& x : v) {
        x *= blend;
    }
    for (double& x : dv) {
        x *= blend;
    }
    // Four distributions at a time, their chances laid out row by row, so that each step is one
    // the processor takes for several distributions at once.
    constexpr std::size_t kBlock = 4;
    const std::size_t count = weight_d_.size();
    const std::size_t stride = chance_by_row_.size() / std::max<std::size_t>(rows_, 1);
    double sum_re = 0.0;
    double sum_im = 0.0;
    double dsum_re = 0.0;
    double dsum_im = 0.0;
    const int rest_power = play_ - 1;
    for (std::size_t i = 0; i < count; i += kBlock) {
        std::array<double, kBlock> g_re;
        std::array<double, kBlock> g_im;
        std::array<double, kBlock> dg_re;
        std::array<double, kBlock> dg_im;
        g_re.fill(a_re);
        g_im.fill(a_im);
        dg_re.fill(da_re);
        dg_im.fill(da_im);
        for (std::size_t r = 0; r < rows_; ++r) {
            const double* q = chance_by_row_.data() + r * stride + i;
            for (std::size_t k = 0; k < kBlock; ++k) {
                g_re[k] += q[k] * v[2 * r];
                g_im[k] += q[k] * v[2 * r + 1];
                dg_re[k] += q[k] * dv[2 * r];
                dg_im[k] += q[k] * dv[2 * r + 1];
            }
        }
        // w_d g^(N-1) by squaring.
        std::array<double, kBlock> p_re;
        std::array<double, kBlock> p_im{};
        std::array<double, kBlock> x_re = g_re;
        std::array<double, kBlock> x_im = g_im;
        for (std::size_t k = 0; k < kBlock; ++k) {
            p_re[k] = i + k < count ? weight_d_[i + k] : 0.0;
        }
        for (int n = rest_power; n > 0; n >>= 1) {
            if ((n & 1) != 0) {
                for (std::size_t k = 0; k < kBlock; ++k) {
                    const double t = p_re[k] * x_re[k] - p_im[k] * x_im[k];
                    p_im[k] = p_re[k] * x_im[k] + p_im[k] * x_re[k];
                    p_re[k] = t;
                }
            }
            if (n > 1) {
                for (std::size_t k = 0; k < kBlock; ++k) {
                    const double t = x_re[k] * x_re[k] - x_im[k] * x_im[k];
                    x_im[k] = 2.0 * x_re[k] * x_im[k];
                    x_re[k] = t;
                }
            }
        }
        for (std::size_t k = 0; k < kBlock; ++k) {
            sum_re += p_re[k] * g_re[k] - p_im[k] * g_im[k];
            sum_im += p_re[k] * g_im[k] + p_im[k] * g_re[k];
            dsum_re += p_re[k] * dg_re[k] - p_im[k] * dg_im[k];
            dsum_im += p_re[k] * dg_im[k] + p_im[k] * dg_re[k];
        }
    }
    if (slope != nullptr) {
        *slope = static_cast<double>(play_) * Complex(dsum_re, dsum_im);
    }
    return {sum_re, sum_im};
}

}  // namespace quillon::odds

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

#include "odds/round_risk.h"

namespace quillon::odds {

namespace {

using Complex = std::complex<double>;

// Ladder heights are chances: any negative part left by rounding must be below this.
constexpr long double kRounding = 1e-9L;
// Two rules of the circle whose chances agree this closely: the finer one is taken. Each
// doubling of the points squares the aliasing error, so the finer one is far closer still.
constexpr double kAgree = 1e-9;

}  // namespace

std::vector<long double> ladder_from_power_sums(const std::vector<long double>& sums,
                                                long double z) {
    // 1 - sum h_k u^k = (1 - z u) (1 + c_1 u + ... ), the c_k from the other inside roots' power
    // sums by Newton's identities: k c_k = -(s_1 c_(k-1) + ... + s_k c_0).
    const std::size_t others = sums.size() - 1;
    std::vector<long double> c(others + 1, 0.0L);
    c[0] = 1.0L;
    for (std::size_t k = 1; k <= others; ++k) {
        long double s = 0.0L;
        for (std::size_t i = 1; i <= k; ++i) {
            s += sums[i] * c[k - i];
        }
        c[k] = -s / static_cast<long double>(k);
    }
    std::vector<long double> h(others + 1);
    for (std::size_t k = 1; k <= others + 1; ++k) {
        h[k - 1] = -((k <= others ? c[k] : 0.0L) - z * c[k - 1]);
    }
    return h;
}

std::vector<long double> RoundResult::inside_power_sums(int points, long double z,
                                                        double radius) const {
    // s_k = (1/2 pi i) (contour of w^k f'/f over the circle), f = (E[w^X] - 1) / ((w - 1)(w - z)):
    // f's only pole inside is at 0, where w^k f'/f has none for k >= 1. By the trapezoid rule on
    // `points` points at odd multiples of pi / points, never at 1 itself, and in conjugate pairs
    // (f is real on the real axis) so that only the upper half is evaluated.
    const auto half = static_cast<std::size_t>(points / 2);
    std::vector<Complex> at(half);
    std::vector<Complex> ratio(half);
    for (std::size_t j = 0; j < half; ++j) {
        at[j] = std::polar(radius, std::numbers::pi * static_cast<double>(2 * j + 1) / points);
    }
    const auto evaluate = [&](std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j) {
            Complex slope;
            const Complex w = at[j];
            const Complex value = pgf_at(w, &slope) - 1.0;
            ratio[j] = slope / value - 1.0 / (w - 1.0) - 1.0 / (w - static_cast<double>(z));
        }
    };
    {
        // The points shared between the machine's two cores.
        std::jthread other([&] { evaluate(half / 2, half); });
        evaluate(0, half / 2);
    }
    std::vector<long double> sums(static_cast<std::size_t>(std::max<std::int64_t>(down_, 1)));
    std::vector<Complex> power(at);  // w^(k + 1)
    for (std::size_t k = 0; k < sums.size(); ++k) {
        long double s = 0.0L;
        for (std::size_t j = 0; j < half; ++j) {
            s += static_cast<long double>((power[j] * ratio[j]).real());
            power[j] *= at[j];
        }
        sums[k] = 2.0L * s / static_cast<long double>(points);
    }
    return sums;
}

LadderRuin RoundResult::ladder_from_circle(std::size_t work, CircleRule* used_rule) const {
    LadderRuin out;
    if (down_ <= 0) {
        out.not_found = "a round cannot lose";
        return out;
    }
    // ruin_root() is per bet; the walk here counts in steps of 1/units() bet.
    const long double z =
        std::pow(static_cast<long double>(ruin_root()), 1.0L / static_cast<long double>(units_));
    if (z >= 1.0L) {
        out.not_found = "the game does not pay back";
        return out;
    }
    // The roots nearest the circle come from the rounds' spread: where E[w^X] ~ e^(M t + V t^2/2),
    // w = e^t, they lie about sqrt(2 pi / V) inside it (V the variance in steps). The circle is
    // drawn between them and the unit circle, beyond which lie the roots of the long shots, close
    // to it; where the count of zeros inside says some root lies beyond it, it is drawn again
    // halfway to the unit circle.
    const double spread = variance_ * static_cast<double>(units_ * units_);
    double radius = std::clamp(1.0 - 0.5 * std::sqrt(2.0 * std::numbers::pi / spread), 0.5, 0.999);
    std::size_t used = 0;
    const auto chance_of = [](const std::vector<long double>& h) {
        LadderRuin l;
        l.ladder = h;
        return l.chances(static_cast<std::int64_t>(4 * h.size()));
    };
    std::vector<long double> last;
    int points = 64;
    while (points < 4 * down_) {
        points *= 2;
    }
    const int first_points = points;
    while (true) {
        used += std::max<std::size_t>(weight_d_.size(), 1) * static_cast<std::size_t>(points / 2);
        if (used > work) {
            out.not_found = "the " + std::to_string(down_) + " ladder heights take more than the " +
                            std::to_string(work) +
                            " terms (distributions times points on the circle) the command's time "
                            "allows";
            return out;
        }
        const std::vector<long double> sums = inside_power_sums(points, z, radius);
        std::vector<long double> h = ladder_from_power_sums(sums, z);
        bool agree = !last.empty();
        if (agree) {
            const std::vector<long double> a = chance_of(last);
            const std::vector<long double> b = chance_of(h);
            for (std::size_t m = 0; m < a.size(); ++m) {
                agree = agree && std::abs(a[m] - b[m]) <= kAgree * b[m];
            }
        }
        last = std::move(h);
        if (!agree) {
            points *= 2;
            continue;
        }
        // s_0 = the zeros inside less the pole's order down at 0: -1 where all down - 1 are in.
        if (std::abs(sums[0] + 1.0L) < 0.25L) {
            break;
        }
        radius = 0.5 * (1.0 + radius);
        points = first_points;
        last.clear();
    }
    if (used_rule != nullptr) {
        *used_rule = {points, radius};
    }
    long double sum = 0.0L;
    for (std::size_t k = 0; k < last.size(); ++k) {
        if (last[k] < -kRounding) {
            out.not_found = "the ladder heights from the circle are not chances (height " +
                            std::to_string(k + 1) + " is " +
                            std::to_string(static_cast<double>(last[k])) + ")";
            return out;
        }
        last[k] = std::max(last[k], 0.0L);
        sum += last[k];
    }
    if (!(sum < 1.0L)) {
        out.not_found = "the ladder heights from the circle add up to 1 or more";
        return out;
    }
    out.ladder = std::move(last);
    return out;
}

}  // namespace quillon::odds

#include "tools/ruin_table/session_ruin.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "odds/risk/flush_tiny.h"
#include "odds/risk/ruin_within.h"
#include "odds/risk/walk_root.h"
#include "tools/ruin_table/circle_transform.h"

namespace quillon::odds {

namespace {

// The rounding of one stage of the transform, relative to its norm: a complex product and sum
// with twiddle factors rounded once (some 7 units of 2^-53; a little more for safety).
constexpr double kStageRounding = 8.0 * std::numeric_limits<double>::epsilon() / 2.0;
constexpr double kLongStageRounding = 8.0 * std::numeric_limits<long double>::epsilon() / 2.0;

// The time of one butterfly of the transform against one step of the direct sums, measured on
// this machine's build: the choice between them only needs it roughly.
constexpr double kButterflyCost = 3.0;

std::size_t circle_size(std::int64_t span) {
    std::size_t m = 4;
    while (m < static_cast<std::size_t>(2 * span)) {
        m *= 2;
    }
    return m;
}

std::vector<double> at_bankrolls(const std::vector<double>& r, std::int64_t lost_below,
                                 const std::vector<std::int64_t>& bankrolls,
                                 const std::vector<double>& scale) {
    std::vector<double> out;
    for (std::size_t i = 0; i < bankrolls.size(); ++i) {
        const std::int64_t b = bankrolls[i];
        const std::int64_t at = b - lost_below;
        out.push_back(b < lost_below ? 1.0
                      : at < static_cast<std::int64_t>(r.size())
                          ? r[static_cast<std::size_t>(at)] * scale[i]
                          : 0.0);
    }
    return out;
}

}  // namespace

double walk_root(const RoundDistribution& round) {
    long double mean = 0.0L;
    for (std::size_t y = 0; y < round.chance.size(); ++y) {
        mean +=
            round.chance[y] * static_cast<long double>(static_cast<std::int64_t>(y) - round.down);
    }
    if (mean <= 0.0L) {
        return 1.0;
    }
    return walk_root([&](long double z) {
        long double sum = -1.0L;
        for (std::size_t y = 0; y < round.chance.size(); ++y) {
            if (round.chance[y] > 0.0) {
                sum += round.chance[y] *
                       std::pow(
                           z, static_cast<long double>(static_cast<std::int64_t>(y) - round.down));
            }
        }
        return sum;
    });
}

namespace {

// The circle of one size for the recursion: its transform and the tilted kernel's transform on
// it (worked out in long double, so that it adds no more than one rounding to each term).
struct Circle {
    explicit Circle(std::size_t size) : transform(real_circle<double>(size)) {}
    const RealCircleTransform<double>& transform;
    std::vector<double> kernel_re;
    std::vector<double> kernel_im;
    double kernel_sum = 0.0;
    double kernel_norm = 0.0;
};

}  // namespace

WithinRounds ruin_within_circle(const RoundDistribution& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls, double z) {
    const FlushTiny flush;
    const std::int64_t down = round.down;
    // The states a round can leave a chance at, from lost_below: i = b - lost_below.
    const std::int64_t span = rounds * down;
    const long double log_z = std::log(static_cast<long double>(z));
    // The tilted chance of each result, P(x) z^x.
    const auto tilted = [&](std::int64_t x) {
        const std::int64_t y = x + down;
        if (y < 0 || y >= static_cast<std::int64_t>(round.chance.size())) {
            return 0.0L;
        }
        const double p = round.chance[static_cast<std::size_t>(y)];
        return p == 0.0 ? 0.0L : p * std::exp(log_z * static_cast<long double>(x));
    };
    // out[i] = sum_x P~(x) a[i + x] = sum_j a[j] c[i - j], c[t] = P~(-t), laid on a circle of
    // size m for x from -down to m / 2 - 1: while the states reached hold m / 2, nothing that
    // wraps around lands on one of them. The circle grows with the states.
    std::vector<std::unique_ptr<Circle>> circles;
    const auto circle_for = [&](std::int64_t states) -> Circle& {
        const std::size_t m = circle_size(std::max(states, down));
        for (const auto& c : circles) {
            if (c->transform.size() == m) {
                return *c;
            }
        }
        auto made = std::make_unique<Circle>(m);
        std::vector<long double> c(m, 0.0L);
        long double sum = 0.0L;
        long double squares = 0.0L;
        for (std::int64_t x = -down; x < static_cast<std::int64_t>(m / 2); ++x) {
            const long double p = tilted(x);
            c[static_cast<std::size_t>(x <= 0 ? -x : static_cast<std::int64_t>(m) - x)] = p;
            sum += p;
            squares += p * p;
        }
        std::vector<long double> re(m / 2 + 1);
        std::vector<long double> im(m / 2 + 1);
        real_circle<long double>(m).forward(c.data(), re.data(), im.data());
        made->kernel_re.assign(re.begin(), re.end());
        made->kernel_im.assign(im.begin(), im.end());
        made->kernel_sum = static_cast<double>(sum);
        made->kernel_norm = static_cast<double>(std::sqrt(squares));
        circles.push_back(std::move(made));
        return *circles.back();
    };
    // The states just above the bottom also fall below it: their tilted chance of doing so,
    // z^-b times the chance of a result below -i, is added directly.
    std::vector<double> below(static_cast<std::size_t>(down) + 1, 0.0);  // chance of x < -i
    for (std::int64_t i = down; i > 0; --i) {
        const std::int64_t y = down - i;  // x = -i
        below[static_cast<std::size_t>(i - 1)] =
            below[static_cast<std::size_t>(i)] + (y < static_cast<std::int64_t>(round.chance.size())
                                                      ? round.chance[static_cast<std::size_t>(y)]
                                                      : 0.0);
    }
    const auto rise = [&](std::int64_t i) {  // z^-(lost_below + i)
        return static_cast<double>(std::exp(-log_z * static_cast<long double>(lost_below + i)));
    };
    std::vector<double> a(static_cast<std::size_t>(span), 0.0);
    std::vector<double> x;
    std::vector<double> re;
    std::vector<double> im;
    double error = 0.0;
    for (int k = 1; k <= rounds; ++k) {
        const std::int64_t top = std::min(span, k * down);  // r_k is 0 from here up
        const std::int64_t before = top - down;             // and r_(k-1)
        const Circle& circle = circle_for(top);
        const std::size_t m = circle.transform.size();
        double a_sum = 0.0;
        double a_squares = 0.0;
        x.assign(m, 0.0);
        for (std::int64_t i = 0; i < before; ++i) {
            const double v = a[static_cast<std::size_t>(i)];
            x[static_cast<std::size_t>(i)] = v;
            a_sum += std::abs(v);
            a_squares += v * v;
        }
        re.resize(m / 2 + 1);
        im.resize(m / 2 + 1);
        circle.transform.forward(x.data(), re.data(), im.data());
        for (std::size_t j = 0; j <= m / 2; ++j) {
            const double r = re[j] * circle.kernel_re[j] - im[j] * circle.kernel_im[j];
            im[j] = re[j] * circle.kernel_im[j] + im[j] * circle.kernel_re[j];
            re[j] = r;
        }
        circle.transform.inverse(re.data(), im.data(), x.data());
        for (std::int64_t i = 0; i < top; ++i) {
            a[static_cast<std::size_t>(i)] = x[static_cast<std::size_t>(i)];
        }
        for (std::int64_t i = 0; i < std::min(down, top); ++i) {
            a[static_cast<std::size_t>(i)] += rise(i) * below[static_cast<std::size_t>(i)];
        }
        // The transforms' rounding, each stage's relative to the norm: a's transform times the
        // kernel's largest coefficient (its sum), the product and the inverse; the kernel's own
        // transform (in long double) times a's largest coefficient (its sum); and the earlier
        // rounds' errors carried through the kernel.
        const double levels = std::log2(static_cast<double>(m)) + 1.0;
        const double a_norm = std::sqrt(a_squares);
        const double step =
            2.0 * (levels * kStageRounding * 2.0 * a_norm * circle.kernel_sum +
                   2.0 * std::numeric_limits<double>::epsilon() * a_norm * circle.kernel_sum +
                   levels * kLongStageRounding * a_sum * circle.kernel_norm);
        error = error * std::max(circle.kernel_sum, 1.0) + step;
    }
    WithinRounds out;
    std::vector<double> scale;
    for (const std::int64_t b : bankrolls) {
        scale.push_back(static_cast<double>(std::exp(log_z * static_cast<long double>(b))));
    }
    out.chance = at_bankrolls(a, lost_below, bankrolls, scale);
    for (std::size_t i = 0; i < bankrolls.size(); ++i) {
        out.error.push_back(bankrolls[i] < lost_below ? 0.0 : error * scale[i]);
    }
    return out;
}

bool within_by_circle(const RoundDistribution& round, int rounds) {
    const std::int64_t down = round.down;
    const double direct = within_terms(round, rounds);
    // On the circle, round k takes two real transforms of a size that holds 2 k down.
    double circle = 0.0;
    for (int k = 1; k <= rounds; ++k) {
        const auto half = static_cast<double>(circle_size(k * down) / 2);
        circle += kButterflyCost * half * std::log2(half);
        if (circle > direct) {
            return false;
        }
    }
    return true;
}

WithinRounds ruin_within_rounds(const RoundDistribution& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls) {
    if (!within_by_circle(round, rounds)) {
        WithinRounds direct;
        direct.chance = ruin_within(round_steps(round), rounds, lost_below, bankrolls);
        direct.error.assign(bankrolls.size(), 0.0);
        return direct;
    }
    const double root = walk_root(round);
    WithinRounds out = ruin_within_circle(round, rounds, lost_below, bankrolls, root);
    for (std::size_t i = 0; i < bankrolls.size(); ++i) {
        if (within_exact(out.chance[i], out.error[i])) {
            continue;
        }
        const double z = session_tilt(round, rounds, bankrolls[i] - lost_below + 1, root);
        if (z < root) {
            const WithinRounds again =
                ruin_within_circle(round, rounds, lost_below, {bankrolls[i]}, z);
            if (again.error[0] < out.error[i]) {
                out.chance[i] = again.chance[0];
                out.error[i] = again.error[0];
            }
        }
    }
    return out;
}

double session_tilt(const RoundDistribution& round, int rounds, std::int64_t fall, double root) {
    // The tilted mean falls as the tilt t = -log z grows, from the walk's own mean at t = 0.
    const long double want = -static_cast<long double>(fall) / rounds;
    const auto tilted_mean = [&](long double t) {
        long double sum = 0.0L;
        long double moment = 0.0L;
        for (std::size_t y = 0; y < round.chance.size(); ++y) {
            if (round.chance[y] > 0.0) {
                const auto x = static_cast<long double>(static_cast<std::int64_t>(y) - round.down);
                const long double w = round.chance[y] * std::exp(-t * x);
                sum += w;
                moment += w * x;
            }
        }
        return moment / sum;
    };
    if (tilted_mean(0.0L) <= want || want <= -static_cast<long double>(round.down)) {
        return root;
    }
    long double hi = 1e-3L;
    while (tilted_mean(hi) > want && hi < 1e3L) {
        hi *= 2;
    }
    long double lo = 0.0L;
    for (int i = 0; i < 80; ++i) {
        const long double mid = (lo + hi) / 2;
        (tilted_mean(mid) > want ? lo : hi) = mid;
    }
    return std::min(root, static_cast<double>(std::exp(-lo)));
}

bool within_exact(double chance, double error) {
    return error <= 1e-5 * chance || (chance < 1e-31 && error < 1e-31);
}

}  // namespace quillon::odds

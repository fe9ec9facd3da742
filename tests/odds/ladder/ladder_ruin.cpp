#include "tests/odds/ladder/ladder_ruin.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace quillon::odds {

namespace {

using Complex = std::complex<double>;

// A root is taken once Newton's step is this small, and two roots closer than kApart are one
// found twice; a root's imaginary part below kReal is rounding, the root real.
constexpr double kStep = 1e-14;
constexpr double kNoise = 1e-10;
constexpr double kApart = 1e-8;
constexpr double kReal = 1e-10;
constexpr int kNewtonSteps = 40;

// Newton's steps on log E[z^step] from `z`, whose zeros are those of E[z^step] - 1: far from a
// root the generating function is a sum of high powers, and its logarithm moves as a power's
// base does. The root, or nothing.
std::optional<Complex> newton(const WalkPgf& pgf, Complex z, int steps = kNewtonSteps) {
    double last = std::numeric_limits<double>::infinity();
    for (int i = 0; i < steps; ++i) {
        Complex slope;
        const Complex value = pgf(z, &slope);
        const Complex f = std::log(value);
        if (f == 0.0) {
            return z;
        }
        // 1 is a root of every walk's equation, on the circle: never one sought.
        const Complex ratio = slope / value / f - 1.0 / (z - 1.0);
        if (ratio == 0.0 || !std::isfinite(std::abs(ratio))) {
            return std::nullopt;
        }
        const Complex step = 1.0 / ratio;
        Complex next = z - step;
        // Stay inside the circle, where the roots sought are.
        if (std::abs(next) >= 1.0) {
            next *= 0.5 * (std::abs(z) + 1.0) / std::abs(next);
        }
        z = next;
        // Done where the step is down to the rounding, or has stopped shrinking near it (the
        // sum's rounding, not the root, then sets the step).
        const double size = std::abs(step) / std::max(std::abs(z), 1e-3);
        if (size <= kStep || (size <= kNoise && size > 0.25 * last)) {
            return z;
        }
        last = size;
    }
    return std::nullopt;
}

// Aberth's simultaneous steps from `reps`, one of each conjugate pair (the one above the axis) and
// the real roots: each approximation pushed from the others and from 1 as Newton's step on a
// deflated function would, so that no two settle on one root. Reps stay real where they start so.
bool aberth(const WalkPgf& pgf, std::vector<Complex>& reps, std::vector<bool>& done, int sweeps) {
    std::vector<double> last(reps.size(), std::numeric_limits<double>::infinity());
    for (int sweep = 0; sweep < sweeps; ++sweep) {
        bool all = true;
        for (std::size_t i = 0; i < reps.size(); ++i) {
            if (done[i]) {
                continue;
            }
            all = false;
            const Complex z = reps[i];
            Complex slope;
            const Complex value = pgf(z, &slope);
            const Complex f = std::log(value);
            if (f == 0.0) {
                done[i] = true;
                continue;
            }
            Complex ratio = slope / value / f - 1.0 / (z - 1.0);
            for (std::size_t j = 0; j < reps.size(); ++j) {
                if (j != i) {
                    ratio -= 1.0 / (z - reps[j]);
                }
                if (reps[j].imag() != 0.0) {
                    ratio -= 1.0 / (z - std::conj(reps[j]));
                }
            }
            if (ratio == 0.0 || !std::isfinite(std::abs(ratio))) {
                return false;
            }
            const Complex step = 1.0 / ratio;
            Complex next = z - step;
            if (z.imag() == 0.0) {
                next = next.real();
            } else if (next.imag() <= 0.0) {
                next = Complex(next.real(), 0.5 * z.imag());
            }
            if (std::abs(next) >= 1.0) {
                next *= 0.5 * (std::abs(z) + 1.0) / std::abs(next);
            }
            reps[i] = next;
            const double size = std::abs(step) / std::max(std::abs(next), 1e-3);
            done[i] = size <= kStep || (size <= kNoise && size > 0.25 * last[i]);
            last[i] = size;
        }
        if (all) {
            return true;
        }
    }
    return std::all_of(done.begin(), done.end(), [](bool d) { return d; });
}

// Aberth's steps from the guesses; the approximations that do not settle have found no root of
// their own on the curve the guesses lie along (some roots lie inside it, nearer the origin) and
// are pushed out towards the walk's roots beyond the circle: they start again inside the curve,
// spread by angle, at a fraction of its radius that changes from one start to the next.
std::optional<std::vector<Complex>> aberth_restarted(const WalkPgf& pgf,
                                                     std::vector<Complex> reps) {
    std::vector<bool> done(reps.size(), false);
    if (aberth(pgf, reps, done, 60)) {
        return reps;
    }
    constexpr std::array kInside = {0.85, 0.7, 0.55, 0.92};
    for (int round = 0; round < static_cast<int>(kInside.size()); ++round) {
        const auto at = static_cast<std::size_t>(round);
        const double inside = kInside[at];
        const double offset = std::array{0.5, 0.25, 0.75}[at % 3];
        std::vector<double> radii;
        std::vector<std::size_t> stuck;
        for (std::size_t i = 0; i < reps.size(); ++i) {
            if (done[i]) {
                radii.push_back(std::abs(reps[i]));
            } else if (reps[i].imag() != 0.0) {
                stuck.push_back(i);
            }
        }
        if (radii.empty() || stuck.size() + radii.size() < reps.size()) {
            return std::nullopt;  // a real one is stuck: no spreading helps it
        }
        std::nth_element(radii.begin(), radii.begin() + radii.size() / 2, radii.end());
        const double radius = inside * radii[radii.size() / 2];
        for (std::size_t k = 0; k < stuck.size(); ++k) {
            reps[stuck[k]] =
                std::polar(radius, std::numbers::pi * (static_cast<double>(k) + offset) /
                                       static_cast<double>(stuck.size()));
        }
        if (aberth(pgf, reps, done, 40)) {
            return reps;
        }
    }
    return std::nullopt;
}

// Each root of the family's walk at t = 0 followed to t = 1 in steps small enough that Newton's
// steps from where it was find it again nearby; the roots at t = 1, or nothing where a step
// cannot be made small enough.
std::optional<std::vector<Complex>> track(const WalkFamily& family, std::vector<Complex> reps,
                                          int down) {
    for (Complex& z : reps) {
        const bool real = z.imag() == 0.0;
        double t = 0.0;
        double dt = 0.125;
        Complex drift = 0.0;  // the root's last move per unit of t
        while (t < 1.0) {
            const double to = std::min(1.0, t + dt);
            const WalkPgf at = [&](Complex w, Complex* slope) { return family(w, slope, to); };
            const Complex start = z + drift * (to - t);
            const std::optional<Complex> root = newton(at, start, 12);
            const double room = 2.0 * std::numbers::pi * std::abs(z) / down;
            if (root && std::abs(*root) < 1.0 && std::abs(*root - start) < 0.25 * room &&
                (real || root->imag() > 0.0)) {
                drift = (*root - z) / (to - t);
                z = real ? Complex(root->real()) : *root;
                t = to;
                dt = std::min(2.0 * dt, 0.25);
            } else if ((dt /= 2.0) < 1.0 / 4096) {
                return std::nullopt;
            }
        }
    }
    return reps;
}

// The roots in an order that keeps each partial product of (z - z_i) small: each next root the
// one farthest, by the product of distances, from those already taken.
void leja_order(std::vector<std::complex<long double>>& roots) {
    if (roots.empty()) {
        return;
    }
    std::iter_swap(roots.begin(),
                   std::max_element(roots.begin(), roots.end(), [](const auto& a, const auto& b) {
                       return std::abs(a) < std::abs(b);
                   }));
    std::vector<long double> distance(roots.size(), 0.0L);  // log of the product
    for (std::size_t i = 1; i < roots.size(); ++i) {
        std::size_t best = i;
        for (std::size_t j = i; j < roots.size(); ++j) {
            distance[j] += std::log(std::abs(roots[j] - roots[i - 1]) + 1e-300L);
            if (distance[j] > distance[best]) {
                best = j;
            }
        }
        std::swap(roots[i], roots[best]);
        std::swap(distance[i], distance[best]);
    }
}

}  // namespace

LadderRuin ladder_of_roots(std::vector<std::complex<long double>> roots) {
    LadderRuin out;
    leja_order(roots);
    // z^down + c_1 z^(down-1) + ... + c_down, one factor at a time.
    std::vector<std::complex<long double>> c(roots.size() + 1, 0.0L);
    c[0] = 1.0L;
    for (std::size_t i = 0; i < roots.size(); ++i) {
        for (std::size_t j = i + 1; j > 0; --j) {
            c[j] -= roots[i] * c[j - 1];
        }
    }
    long double sum = 0.0L;
    for (std::size_t k = 1; k < c.size(); ++k) {
        const long double h = -c[k].real();
        if (std::abs(c[k].imag()) > kLadderRounding || h < -kLadderRounding) {
            out.ladder.clear();
            out.not_found =
                "the roots' ladder heights are not chances (height " + std::to_string(k) + " is " +
                std::to_string(static_cast<double>(h)) +
                (std::abs(c[k].imag()) > kLadderRounding ? " with an imaginary part" : "") + ")";
            return out;
        }
        out.ladder.push_back(std::max(h, 0.0L));
        sum += out.ladder.back();
    }
    if (!(sum < 1.0L)) {
        out.ladder.clear();
        out.not_found = "the roots' ladder heights add up to 1 or more";
        return out;
    }
    return out;
}

namespace {

// One of each conjugate pair, above the axis, and the real roots made exactly real; with the
// number of roots they stand for.
std::vector<Complex> representatives(const std::vector<Complex>& points, int& count) {
    std::vector<Complex> reps;
    count = 0;
    for (const Complex& p : points) {
        const Complex z = std::abs(p.imag()) <= kReal * std::max(std::abs(p), 1e-3)
                              ? Complex(p.real())
                              : (p.imag() < 0.0 ? std::conj(p) : p);
        reps.push_back(z);
        count += z.imag() == 0.0 ? 1 : 2;
    }
    return reps;
}

// Every root, conjugates added, where the representatives are apart from one another, from their
// own conjugates and from the circle.
std::optional<std::vector<std::complex<long double>>> every_root(const std::vector<Complex>& reps) {
    std::vector<Complex> all;
    for (const Complex& z : reps) {
        if (!(std::abs(z) < 1.0 - kApart) || (z.imag() != 0.0 && z.imag() <= kApart)) {
            return std::nullopt;
        }
        all.push_back(z);
        if (z.imag() != 0.0) {
            all.push_back(std::conj(z));
        }
    }
    for (std::size_t i = 0; i < all.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j) {
            if (std::abs(all[i] - all[j]) <= kApart) {
                return std::nullopt;
            }
        }
    }
    return std::vector<std::complex<long double>>(all.begin(), all.end());
}

}  // namespace

LadderRuin ladder_ruin(const WalkFamily& given, int down, const std::vector<Complex>& guesses,
                       const std::vector<Complex>& known, int most_evaluations) {
    // Past the allowance every value is NaN, and every search ends there.
    int evaluations = 0;
    const WalkFamily family = [&](Complex z, Complex* slope, double t) {
        if (++evaluations > most_evaluations) {
            return Complex(std::numeric_limits<double>::quiet_NaN());
        }
        return given(z, slope, t);
    };
    const WalkPgf own = [&](Complex z, Complex* slope) { return family(z, slope, 1.0); };
    LadderRuin out;
    const auto failed = [&] {
        out.not_found =
            evaluations > most_evaluations
                ? "finding the " + std::to_string(down) +
                      " roots inside the unit circle takes more than the " +
                      std::to_string(most_evaluations) +
                      " evaluations of the round's generating function the command's time allows"
                : "the " + std::to_string(down) +
                      " roots inside the unit circle were not found apart from one another";
    };
    failed();
    int count = 0;
    std::vector<Complex> reps = representatives(guesses, count);
    if (count == down) {
        if (const auto roots = aberth_restarted(own, reps)) {
            if (const auto all = every_root(*roots)) {
                out = ladder_of_roots(*all);
                if (out.found()) {
                    return out;
                }
            }
        }
    }
    reps = representatives(known, count);
    if (count == down) {
        if (const auto roots = track(family, reps, down)) {
            if (const auto all = every_root(*roots)) {
                out = ladder_of_roots(*all);
                return out;
            }
        }
    }
    failed();
    return out;
}

LadderRuin ladder_ruin(const WalkPgf& pgf, int down, const std::vector<Complex>& guesses) {
    const WalkFamily same = [&](Complex z, Complex* slope, double) { return pgf(z, slope); };
    return ladder_ruin(same, down, guesses, {}, std::numeric_limits<int>::max());
}

}  // namespace quillon::odds

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "odds/risk/round_ladder.h"

#include "base/threads.h"

namespace quillon::odds {

namespace {

using Complex = std::complex<double>;

// Two rules of the circle whose chances agree this closely: the finer one is taken. Each
// doubling of the points squares the aliasing error, so the finer one is far closer still.
constexpr double kAgree = 1e-9;
// Roots near z e^(2 pi i k / units) are divided out up to this many parts of a bet.
constexpr std::int64_t kMostTurns = 4;

}  // namespace

std::vector<long double> ladder_from_power_sums(
    const std::vector<long double>& sums, const std::vector<std::complex<long double>>& known) {
    // 1 - sum h_k u^k = prod over the known roots r of (1 - r u) times (1 + c_1 u + ... ), the
    // c_k from the other inside roots' power sums by Newton's identities:
    // k c_k = -(s_1 c_(k-1) + ... + s_k c_0).
    const std::size_t others = sums.size() - known.size();
    std::vector<std::complex<long double>> c(sums.size() + 1, 0.0L);
    c[0] = 1.0L;
    for (std::size_t k = 1; k <= others; ++k) {
        long double s = 0.0L;
        for (std::size_t i = 1; i <= k; ++i) {
            s += sums[i] * c[k - i].real();
        }
        c[k] = -s / static_cast<long double>(k);
    }
    std::size_t degree = others;
    for (const std::complex<long double>& r : known) {
        ++degree;
        for (std::size_t k = degree; k > 0; --k) {
            c[k] -= r * c[k - 1];
        }
    }
    std::vector<long double> h(sums.size());
    for (std::size_t k = 1; k <= sums.size(); ++k) {
        h[k - 1] = -c[k].real();
    }
    return h;
}

std::vector<long double> ladder_from_power_sums(const std::vector<long double>& sums,
                                                long double z) {
    return ladder_from_power_sums(sums, std::vector<std::complex<long double>>{z});
}

// f'/f at the points of a circle, f = (E[w^X] - 1) / ((w - 1)(w - z)...), z and the rest of the
// roots divided out given (conjugates with each other), upper half only: f is real
// on the real axis, so its values below are the conjugates of those above. The points are at
// angles 2 pi j / points, j = 0 .. points / 2, so that a circle of twice the points keeps
// every value found and adds one between each two.
namespace {

class CircleValues {
  public:
    CircleValues(const RoundResult& round, const std::vector<Complex>& known, double radius,
                 int points)
        : round_(round), known_(known), radius_(radius), points_(points) {
        at_.resize(static_cast<std::size_t>(points / 2 + 1));
        ratio_.resize(at_.size());
        evaluate(0, 1);
    }

    int points() const { return points_; }

    // Twice the points: the new ones between the old.
    void refine() {
        std::vector<Complex> at(2 * at_.size() - 1);
        std::vector<Complex> ratio(at.size());
        for (std::size_t j = 0; j < at_.size(); ++j) {
            at[2 * j] = at_[j];
            ratio[2 * j] = ratio_[j];
        }
        at_ = std::move(at);
        ratio_ = std::move(ratio);
        points_ *= 2;
        evaluate(1, 2);
    }

    // s_k = (1/2 pi i) (contour of w^k f'/f) = (1/points) sum of w^(k + 1) f'/f, k = 0 .. count
    // - 1.
    std::vector<long double> sums(std::size_t count) const {
        std::vector<long double> out(count);
        std::vector<Complex> power(at_);  // w^(k + 1)
        const std::size_t last = at_.size() - 1;
        for (std::size_t k = 0; k < count; ++k) {
            // The two real points once, the others for themselves and their conjugates.
            long double s = static_cast<long double>((power[0] * ratio_[0]).real()) +
                            static_cast<long double>((power[last] * ratio_[last]).real());
            for (std::size_t j = 1; j < last; ++j) {
                s += 2.0L * static_cast<long double>((power[j] * ratio_[j]).real());
            }
            for (std::size_t j = 0; j <= last; ++j) {
                power[j] *= at_[j];
            }
            out[k] = s / static_cast<long double>(points_);
        }
        return out;
    }

  private:
    // The points first, first + step, ..., shared among the engine's threads.
    void evaluate(std::size_t first, std::size_t step) {
        std::vector<std::size_t> todo;
        for (std::size_t j = first; j < at_.size(); j += step) {
            todo.push_back(j);
        }
        const auto some = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; i < to; ++i) {
                const std::size_t j = todo[i];
                const Complex w =
                    std::polar(radius_, 2.0 * std::numbers::pi * static_cast<double>(j) / points_);
                at_[j] = w;
                Complex slope;
                const Complex value = round_.pgf_at(w, &slope) - 1.0;
                ratio_[j] = slope / value - 1.0 / (w - 1.0);
                for (const Complex& r : known_) {
                    ratio_[j] -= 1.0 / (w - r);
                }
            }
        };
        const unsigned threads = default_threads();
        on_threads(threads, [&](unsigned t) {
            some(todo.size() * t / threads, todo.size() * (t + 1) / threads);
        });
    }

    const RoundResult& round_;
    std::vector<Complex> known_;  // the roots divided out of f
    double radius_;
    int points_;
    std::vector<Complex> at_;
    std::vector<Complex> ratio_;
};

}  // namespace

std::vector<long double> inside_power_sums(const RoundResult& round, int points, long double z,
                                           double radius) {
    const CircleValues circle(round, {static_cast<double>(z)}, radius, points);
    return circle.sums(static_cast<std::size_t>(std::max<std::int64_t>(round.down(), 1)));
}

LadderRuin ladder_from_circle(const RoundResult& round, std::size_t work, CircleRule* used_rule) {
    LadderRuin out;
    if (round.down() <= 0) {
        out.not_found = "a round cannot lose";
        return out;
    }
    // round.ruin_root() is per bet; the walk here counts in steps of 1/units() bet.
    const long double z = std::pow(static_cast<long double>(round.ruin_root()),
                                   1.0L / static_cast<long double>(round.units()));
    if (z >= 1.0L) {
        out.not_found = "the game does not pay back";
        return out;
    }
    // The roots nearest the circle come from the rounds' spread: where E[w^X] ~ e^(M t + V t^2/2),
    // w = e^t, they lie about sqrt(2 pi / V) inside it (V the variance in steps). The circle is
    // drawn between them and the unit circle, beyond which lie the roots of the long shots, close
    // to it; where the count of zeros inside says some root lies beyond it, it is drawn again
    // halfway to the unit circle.
    const double spread = round.variance() * static_cast<double>(round.units() * round.units());
    // The circle crosses the real axis: not where f's zero z was divided out, which leaves
    // f'/f there to the rounding of the difference of two large terms.
    const auto away_from = [z](double r) {
        return std::abs(r - static_cast<double>(z)) < 1e-3 ? static_cast<double>(z) - 1e-3 : r;
    };
    double radius =
        away_from(std::clamp(1.0 - 0.5 * std::sqrt(2.0 * std::numbers::pi / spread), 0.5, 0.999));
    // Where a round's results are nearly all whole multiples of u steps (units() = 2 where few
    // pays fall on halves), its generating function nearly repeats every turn of 2 pi / u, and so
    // do its roots: beside z lie roots near z e^(2 pi i k / u), as near the unit circle as z is.
    // They are found by Newton's steps from there and divided out too.
    std::vector<Complex> divided = {static_cast<double>(z)};
    for (std::int64_t k = 1; 2 * k <= round.units() && round.units() <= kMostTurns; ++k) {
        Complex w =
            std::polar(static_cast<double>(z), 2.0 * std::numbers::pi * static_cast<double>(k) /
                                                   static_cast<double>(round.units()));
        bool settled = false;
        for (int step = 0; step < 60 && !settled; ++step) {
            Complex slope;
            const Complex value = round.pgf_at(w, &slope) - 1.0;
            if (slope == 0.0) {
                break;
            }
            const Complex move = value / slope;
            w -= move;
            settled = std::abs(move) <= 1e-15;
        }
        const bool apart = std::all_of(divided.begin(), divided.end(), [&](Complex r) {
            return std::abs(r - w) > 1e-6 && std::abs(std::conj(r) - w) > 1e-6;
        });
        if (settled && apart && std::abs(w) < 1.0 - 1e-9) {
            divided.push_back(std::abs(w.imag()) < 1e-12 ? Complex(w.real()) : w);
            if (divided.back().imag() != 0.0) {
                divided.push_back(std::conj(w));
            }
        }
    }
    std::vector<std::complex<long double>> known(divided.begin(), divided.end());
    known.front() = z;
    std::size_t used = 0;
    const auto chance_of = [](const std::vector<long double>& h) {
        LadderRuin l;
        l.ladder = h;
        return l.chances(static_cast<std::int64_t>(4 * h.size()));
    };
    std::vector<long double> last;
    int first_points = 64;
    while (first_points < 4 * round.down()) {
        first_points *= 2;
    }
    const std::size_t per_point = std::max<std::size_t>(round.distributions(), 1);
    std::optional<CircleValues> circle;
    constexpr int kMostMoves = 6;
    int moves = 0;
    while (true) {
        // Each rule evaluates only the points its circle adds to the last one's.
        const int points = circle ? 2 * circle->points() : first_points;
        used += per_point * static_cast<std::size_t>(circle ? points / 4 : points / 2 + 1);
        if (used > work) {
            out.not_found = "the " + std::to_string(round.down()) +
                            " ladder heights take more than the " + std::to_string(work) +
                            " terms (distributions times points on the circle) the command's time "
                            "allows";
            return out;
        }
        if (circle) {
            circle->refine();
        } else {
            circle.emplace(round, divided, radius, points);
        }
        const std::vector<long double> sums =
            circle->sums(static_cast<std::size_t>(std::max<std::int64_t>(round.down(), 1)));
        std::vector<long double> h = ladder_from_power_sums(sums, known);
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
            continue;
        }
        // s_0 = the zeros inside less the pole's order down at 0: minus the roots divided out where
        // all the others are in.
        if (std::abs(sums[0] + static_cast<long double>(known.size())) < 0.25L) {
            break;
        }
        if (++moves > kMostMoves) {
            out.not_found = "the circle does not hold the " + std::to_string(round.down() - 1) +
                            " roots sought (by the count of zeros inside it)";
            return out;
        }
        radius = away_from(0.5 * (1.0 + radius));
        circle.reset();
        last.clear();
    }
    if (used_rule != nullptr) {
        *used_rule = {circle->points(), radius};
    }
    long double sum = 0.0L;
    for (std::size_t k = 0; k < last.size(); ++k) {
        if (last[k] < -kLadderRounding) {
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

#include "tests/odds/ladder/round_ladder_roots.h"

#include "odds/risk/integer_power.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace quillon::odds {

namespace {

using Complex = std::complex<double>;

std::vector<Complex> independent_roots(const RoundResult& round) {
    // One hand of the average deal: h(w) = sum of p_r w^step_r; N independent hands fall to ruin
    // through the roots of h(w) = e^(2 pi i j / N), each with as many inside the circle as a hand
    // can lose steps, nearly where the first terms of h put them.
    const std::int64_t hand_down = round.down() / round.play();
    double lowest = 0.0;
    double level = 0.0;
    for (std::size_t r = 0; r < round.rows(); ++r) {
        if (round.step(r) == -hand_down) {
            lowest += round.hand_chance(r);
        } else if (round.step(r) <= 0) {
            level += round.hand_chance(r);
        }
    }
    const WalkPgf hand = [&](Complex w, Complex* slope) {
        Complex h = 0.0;
        Complex dh = 0.0;
        for (std::size_t r = 0; r < round.rows(); ++r) {
            const Complex v = integer_power(w, round.step(r));
            h += round.hand_chance(r) * v;
            dh += round.hand_chance(r) * static_cast<double>(round.step(r)) * v / w;
        }
        *slope = dh;
        return h;
    };
    std::vector<Complex> guesses;
    for (int j = 0; j <= round.play() / 2; ++j) {
        const Complex unity = std::polar(1.0, 2.0 * std::numbers::pi * j / round.play());
        const Complex near =
            std::pow(lowest / (unity - level), 1.0 / static_cast<double>(hand_down));
        for (std::int64_t k = 0; k < hand_down; ++k) {
            Complex w = near * std::polar(1.0, 2.0 * std::numbers::pi * static_cast<double>(k) /
                                                   static_cast<double>(hand_down));
            // Newton's steps on the average hand alone cost next to nothing.
            for (int step = 0; step < 30; ++step) {
                w = std::abs(w) < 1.0 ? w : w / (std::abs(w) + 0.05);
                Complex dh;
                const Complex h = hand(w, &dh) - unity;
                if (dh == 0.0 || std::abs(h) < 1e-15) {
                    break;
                }
                w -= h / dh;
            }
            w = std::abs(w) < 1.0 ? w : w / (std::abs(w) + 0.05);
            // For a real root of unity the roots pair with their conjugates: one of each.
            const bool paired = std::any_of(guesses.begin(), guesses.end(), [&](Complex g) {
                return std::abs(g - std::conj(w)) < 1e-9 * std::max(std::abs(w), 1e-3);
            });
            if (!(paired && std::abs(unity.imag()) < 1e-12)) {
                guesses.push_back(w);
            }
        }
    }
    return guesses;
}

}  // namespace

LadderRuin ladder_by_roots(const RoundResult& round, std::size_t work) {
    if (round.down() <= 0) {
        LadderRuin none;
        none.not_found = "a round cannot lose";
        return none;
    }
    // First from the average deal's roots, nudged to the round's own by Aberth's steps; where
    // that fails, the average deal's rounds turned into the round's own a little at a time.
    const WalkFamily rounds = [&round](Complex w, Complex* slope, double t) {
        return round.pgf_at(w, slope, t);
    };
    const std::vector<Complex> known = independent_roots(round);
    std::vector<Complex> guesses = known;
    if (round.down() == round.play()) {
        guesses.front() = std::pow(static_cast<double>(round.ruin_root()),
                                   1.0 / static_cast<double>(round.units()));
    }
    // Each evaluation costs a sum over every distribution.
    const auto allowed = static_cast<int>(
        std::min<std::size_t>(work / std::max<std::size_t>(round.distributions(), 1), 10'000'000));
    return ladder_ruin(rounds, static_cast<int>(round.down()), guesses, known, allowed);
}

}  // namespace quillon::odds

#include "odds/risk.h"

#include "odds/round_distribution.h"
#include "odds/round_risk.h"
#include "odds/session_ruin.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

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

namespace {

// Not under the sanitizers: the choice of version runs before their start-up, and crashes it.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLON_ADD_RESULTS_CLONES
#else
#define QUILLON_ADD_RESULTS_CLONES __attribute__((target_clones("avx2", "default")))
#endif

// One hand of the recursion for the bankrolls from `begin` to `end`, every result landing within
// the states: to[b] = the sum over results i, in order, of p[i] from[b + step[i]], or 0 where
// that is below `negligible`. Eight
// bankrolls at a time stay in registers while the results are added to them, lane by lane as
// one at a time would. Built twice, the
// wider for processors with AVX2 (and without fused multiply-adds, whose rounding would differ).
QUILLON_ADD_RESULTS_CLONES void add_results(double* to, const double* from,
                                            const std::int64_t* step, const double* p,
                                            std::size_t rows, std::int64_t begin, std::int64_t end,
                                            double negligible) {
    using Four = double __attribute__((vector_size(32)));
    std::int64_t b = begin;
    for (; b + 8 <= end; b += 8) {
        Four low{};
        Four high{};
        for (std::size_t i = 0; i < rows; ++i) {
            const double* const f = from + b + step[i];
            Four fl;
            Four fh;
            std::memcpy(&fl, f, sizeof fl);
            std::memcpy(&fh, f + 4, sizeof fh);
            const Four pi = Four{} + p[i];
            low += pi * fl;
            high += pi * fh;
        }
        low = low < negligible ? Four{} : low;
        high = high < negligible ? Four{} : high;
        std::memcpy(to + b, &low, sizeof low);
        std::memcpy(to + b + 4, &high, sizeof high);
    }
    for (; b < end; ++b) {
        double sum = 0.0;
        for (std::size_t i = 0; i < rows; ++i) {
            sum += p[i] * from[b + step[i]];
        }
        to[b] = sum < negligible ? 0.0 : sum;
    }
}

}  // namespace

std::vector<double> ruin_within(const HandResults& given, int hands, int max_bankroll) {
    // The bankroll counted in the coarsest units every result is a whole number of.
    HandResults results = given;
    const std::int64_t coarser = results.units_per_bet / finest_units(given);
    for (std::int64_t& step : results.net_units) {
        step /= coarser;
    }
    results.units_per_bet /= coarser;
    const std::int64_t bet = results.units_per_bet;
    // From more than `hands` bets no run of losses can empty the bankroll in time, so the
    // states stop there; anything above counts as safe.
    const std::int64_t top = bet * (std::max(hands, max_bankroll) + 1);
    const auto size = static_cast<std::size_t>(top + 1);
    std::vector<double> old(size, 0.0);
    std::vector<double> next(size, 0.0);
    for (std::int64_t b = 0; b < bet; ++b) {
        old[static_cast<std::size_t>(b)] = 1.0;
    }
    next = old;
    // Chances below this are dropped, and the bankrolls above the last one left need no work:
    // each hand averages the last, so the dropped chances add at most `hands` times this to any
    // figure, far below the least one printed (kLeastPrintedChance).
    constexpr double kNegligible = 1e-40;
    std::int64_t live = bet;  // one past the highest bankroll with a chance left
    for (int h = 1; h <= hands; ++h) {
        // r_h(b) = 0 from h + 1 bets up, and wherever every result lands above `live`.
        const std::int64_t reach = std::min({top, bet * (h + 1), live + bet});
        double* const to = next.data();
        const double* const from = old.data();
        // Below `all` every result lands within the states: there the bankrolls are taken a few
        // at a time, each summed over the results in their order. Above it (where a win would
        // pass the top) result by result, again in their order: each chance is the same sum.
        std::int64_t all = reach;
        for (const std::int64_t step : results.net_units) {
            all = std::min(all, top - step + 1);
        }
        all = std::max(all, bet);
        add_results(to, from, results.net_units.data(), results.probability.data(),
                    results.net_units.size(), bet, all, kNegligible);
        std::fill(next.begin() + all, next.begin() + reach, 0.0);
        for (std::size_t i = 0; i < results.net_units.size(); ++i) {
            const std::int64_t step = results.net_units[i];
            const double p = results.probability[i];
            const std::int64_t end = std::min(reach, top - step + 1);
            for (std::int64_t b = all; b < end; ++b) {
                to[b] += p * from[b + step];
            }
        }
        for (std::int64_t b = all; b < reach; ++b) {
            to[b] = to[b] < kNegligible ? 0.0 : to[b];
        }
        live = reach;
        while (live > bet && to[live - 1] == 0.0) {
            --live;
        }
        std::fill(next.begin() + reach, next.begin() + std::min(top + 1, reach + bet + 1), 0.0);
        std::swap(old, next);
    }
    std::vector<double> out(static_cast<std::size_t>(max_bankroll + 1), 0.0);
    for (int b = 0; b <= max_bankroll; ++b) {
        const std::int64_t u = static_cast<std::int64_t>(b) * bet;
        out[static_cast<std::size_t>(b)] = u <= top ? old[static_cast<std::size_t>(u)] : 0.0;
    }
    return out;
}

double ruin_root(const HandResults& results) {
    if (results.mean() <= 0.0) {
        return 1.0;
    }
    // f(z) = E[z^net] - 1 is convex with f(1) = 0 and f'(1) = the mean > 0, so it is negative
    // just below 1 and positive near 0: bisect between.
    const auto f = [&](long double z) {
        long double sum = -1.0L;
        for (std::size_t i = 0; i < results.net.size(); ++i) {
            sum += static_cast<long double>(results.probability[i]) *
                   std::pow(z, static_cast<long double>(results.net[i]));
        }
        return sum;
    };
    long double hi = 1.0L - 1e-3L;
    while (f(hi) >= 0.0L && hi < 1.0L) {
        hi = 1.0L - (1.0L - hi) / 2;
    }
    long double lo = 1e-9L;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (lo + hi) / 2;
        (f(mid) > 0.0L ? lo : hi) = mid;
    }
    return static_cast<double>((lo + hi) / 2);
}

double ruin_ever(const HandResults& results, int bankroll) {
    return std::pow(ruin_root(results), bankroll);
}

namespace {

// The risk figures of one hand that do not depend on how the hands are grouped into rounds.
SessionRisk hand_risk(const GameReturn& result) {
    SessionRisk risk;
    risk.edge = result.return_rate() - 1.0;
    risk.standard_deviation = result.standard_deviation();
    const double variance = risk.standard_deviation * risk.standard_deviation;
    const double ret = result.return_rate();
    const auto scale = static_cast<double>(result.pay_scale);
    for (std::size_t r = 0; r < result.counts.size(); ++r) {
        const double d = static_cast<double>(result.pays[r]) / scale - ret;
        risk.variance_share.push_back(variance > 0.0 ? result.probability(r) * d * d / variance
                                                     : 0.0);
    }
    risk.n0 = risk.edge == 0.0 ? std::numeric_limits<double>::infinity()
                               : 9.0 * variance / (risk.edge * risk.edge);
    return risk;
}

// Why the chance within a session is not given where results divide a bet too finely.
std::string too_fine_for_recursion(std::int64_t units) {
    return "the results divide a bet into " + std::to_string(units) +
           " parts; the exact recursion on the bankroll takes time and memory in proportion, and "
           "is run up to " +
           std::to_string(kFinestRecursionUnits);
}

// The chance of ruin within `hands` hands of one hand a round, where the recursion is bounded.
void add_ruin_within(SessionRisk& risk, const GameReturn& result, int hands) {
    risk.hands = hands;
    if (risk.bankrolls.empty()) {
        return;
    }
    const HandResults results = hand_results(result);
    const std::int64_t units = finest_units(results);
    if (units > kFinestRecursionUnits) {
        risk.within_not_given = too_fine_for_recursion(units);
        return;
    }
    const int most = *std::max_element(risk.bankrolls.begin(), risk.bankrolls.end());
    const std::vector<double> within = ruin_within(results, hands, most);
    for (const int b : risk.bankrolls) {
        risk.ruin_within.push_back(within[static_cast<std::size_t>(b)]);
    }
}

// The chance of ruin within the session of N hands a round, where it is not worked out ahead:
// term by term where that takes a second or so (a round of few hands, whose results are few),
// and otherwise said not to be given.
void add_rounds_within(SessionRisk& risk, const RoundResult& round, bool count) {
    const int play = round.play();
    if (round.units() > kFinestRecursionUnits) {
        risk.within_not_given = too_fine_for_recursion(round.units());
        return;
    }
    if (count && play <= kMostPlayWithinCounted) {
        const std::int64_t lost = play * round.units();
        const RoundDistribution p =
            round_distributions(round, play, std::int64_t{risk.rounds} * lost).back();
        if (within_direct_terms(p, risk.rounds) <= kMostWithinTerms) {
            std::vector<std::int64_t> bankrolls;
            for (const int b : risk.bankrolls) {
                bankrolls.push_back(b * round.units());
            }
            risk.ruin_within = ruin_within_direct(p, risk.rounds, lost, bankrolls).chance;
            return;
        }
    }
    risk.within_not_given =
        "the exact recursion on the bankroll takes the round's whole distribution (some "
        "thousands of results) at every bankroll it can reach, round by round: seconds to "
        "minutes, past the command's time; it is worked out ahead for the built-in games' "
        "own tables, and counted for others' only where that takes a second or so (some "
        "tables at 2 or 3 hands a round)";
}

}  // namespace

RoundRuin round_ruin_bounds(const RoundResult& round, const std::vector<int>& bankrolls) {
    RoundRuin out;
    const int play = round.play();
    const double z = round.ruin_root();
    // z^bankroll is a martingale, and the bankroll is lost at one of 0, 1/units, ... up to
    // N - 1/units bets: the chance lies between z^b and z^(b - N + 1/units).
    const double step = 1.0 / static_cast<double>(round.units());
    for (const int b : bankrolls) {
        out.at_least.push_back(b < play ? 1.0 : std::pow(z, b));
        out.at_most.push_back(b < play ? 1.0 : std::pow(z, b - play + step));
    }
    out.ever = out.at_least;
    return out;
}

RoundRuin round_ruin_ever(const RoundResult& round, const std::vector<int>& bankrolls,
                          std::size_t work) {
    RoundRuin out = round_ruin_bounds(round, bankrolls);
    const int play = round.play();
    if (round.mean() <= 0.0 || round.variance() <= 0.0) {
        return out;  // 1 for every bankroll, exactly
    }
    if (round.down() == 0) {
        // No round loses: a bankroll that pays one pays every one.
        for (std::size_t i = 0; i < bankrolls.size(); ++i) {
            out.ever[i] = bankrolls[i] < play ? 1.0 : 0.0;
        }
        return out;
    }
    if (round.down() > kMostLadderSteps) {
        out.not_exact = "the results divide a bet into " + std::to_string(round.units()) +
                        " parts: a round can lose " + std::to_string(round.down()) +
                        " of them at once, and the exact chance needs as many ladder heights (up "
                        "to " +
                        std::to_string(kMostLadderSteps) + " are sought)";
        return out;
    }
    const LadderRuin ladder = round.ladder_from_circle(work);
    if (!ladder.found()) {
        out.not_exact = ladder.not_found;
        return out;
    }
    // The bankroll in steps of the result; lost below `play` bets, a fall of (b - play) bets
    // and one step more.
    std::int64_t most = 0;
    for (const int b : bankrolls) {
        most = std::max<std::int64_t>(most, (b - play) * round.units() + 1);
    }
    const std::vector<long double> chance = ladder.chances(most);
    for (std::size_t i = 0; i < bankrolls.size(); ++i) {
        const std::int64_t b = bankrolls[i];
        if (b < play) {
            continue;
        }
        const auto p =
            static_cast<double>(chance[static_cast<std::size_t>((b - play) * round.units() + 1)]);
        if (p < out.at_least[i] * (1.0 - 1e-9) || p > out.at_most[i] * (1.0 + 1e-9)) {
            out.ever = out.at_least;
            out.not_exact = "the ladder's chance for " + std::to_string(b) +
                            " bets fell outside its bounds, so the ladder is not trusted";
            return out;
        }
        out.ever[i] = p;
    }
    return out;
}

SessionRisk session_risk(const GameReturn& result, std::vector<int> bankrolls, int hands) {
    SessionRisk risk = hand_risk(result);
    risk.bankrolls = std::move(bankrolls);
    add_ruin_within(risk, result, hands);
    const double z = ruin_root(hand_results(result));
    for (const int b : risk.bankrolls) {
        risk.ruin_ever.push_back(std::pow(z, b));
    }
    return risk;
}

SessionRisk round_risk(const DealOutcomes& outcomes, const GameReturn& result, int play,
                       const std::array<double, 3>* known_within,
                       const std::array<double, 3>* known_ever, bool count_within) {
    SessionRisk risk = hand_risk(result);
    risk.bankrolls = {100, 400, 1000};
    risk.hands = kSessionHands;
    risk.rounds = session_rounds(play);
    if (play == 1) {
        if (known_within != nullptr) {
            risk.ruin_within.assign(known_within->begin(), known_within->end());
        } else {
            add_ruin_within(risk, result, risk.hands);
        }
        const double z = ruin_root(hand_results(result));
        for (const int b : risk.bankrolls) {
            risk.ruin_ever.push_back(std::pow(z, b));
        }
        return risk;
    }
    const RoundResult round(outcomes, result.pays, result.pay_scale, play);
    risk.play = play;
    risk.standard_deviation = std::sqrt(round.variance());
    const double edge = round.mean();
    risk.n0 = edge == 0.0 ? std::numeric_limits<double>::infinity()
                          : 9.0 * round.variance() / (edge * edge);
    if (known_within != nullptr) {
        risk.ruin_within.assign(known_within->begin(), known_within->end());
    } else {
        add_rounds_within(risk, round, count_within);
    }
    risk.units = round.units();
    RoundRuin ruin = round_ruin_bounds(round, risk.bankrolls);
    // Figures worked out ahead for this very game are taken where they lie within the bounds.
    bool known = known_ever != nullptr;
    for (std::size_t i = 0; known && i < ruin.ever.size(); ++i) {
        known = ruin.at_least[i] <= (*known_ever)[i] && (*known_ever)[i] <= ruin.at_most[i];
    }
    if (known) {
        ruin.ever.assign(known_ever->begin(), known_ever->end());
    } else {
        ruin = round_ruin_ever(round, risk.bankrolls);
    }
    risk.ruin_ever = std::move(ruin.ever);
    risk.ruin_ever_at_least = std::move(ruin.at_least);
    risk.ruin_ever_at_most = std::move(ruin.at_most);
    risk.ever_not_exact = std::move(ruin.not_exact);
    return risk;
}

}  // namespace quillon::odds

#include "odds/risk/ruin_within.h"

#include "base/threads.h"
#include "odds/risk/round_workers.h"

#include <algorithm>
#include <cstring>
#include <thread>

namespace quillon::odds {

namespace {

// Not under the sanitizers: the choice of version runs before their start-up, and crashes it.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define QUILLON_ADD_RESULTS_CLONES
#else
#define QUILLON_ADD_RESULTS_CLONES __attribute__((target_clones("avx2", "default")))
#endif

// One round of the recursion for the bankrolls from `begin` to `end`, every result landing within
// the states: to[b] = the sum over results i, in order, of p[i] from[b + step[i]], or 0 where
// that is below `negligible`. Bankrolls in blocks, eight vectors of four then one pair, stay in
// registers while the results are added to them, lane by lane as one at a time would; the
// vectors' sums are apart, so the processor works on several at once rather than waiting on
// each. Built twice, the wider for processors with AVX2 (and without fused multiply-adds, whose
// rounding would differ).
QUILLON_ADD_RESULTS_CLONES void add_results(double* to, const double* from,
                                            const std::int64_t* step, const double* p,
                                            std::size_t rows, std::int64_t begin, std::int64_t end,
                                            double negligible) {
    using Four = double __attribute__((vector_size(32)));
    constexpr int kWide = 8;
    std::int64_t b = begin;
    for (; b + 4 * kWide <= end; b += 4 * kWide) {
        Four sum[kWide] = {};
        for (std::size_t i = 0; i < rows; ++i) {
            const double* const f = from + b + step[i];
            const Four pi = Four{} + p[i];
#pragma GCC unroll 8
            for (int v = 0; v < kWide; ++v) {
                Four x;
                std::memcpy(&x, f + 4 * v, sizeof x);
                sum[v] += pi * x;
            }
        }
#pragma GCC unroll 8
        for (int v = 0; v < kWide; ++v) {
            const Four x = sum[v] < negligible ? Four{} : sum[v];
            std::memcpy(to + b + 4 * v, &x, sizeof x);
        }
    }
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

// Past a few cores a hand's share is too short for the wait at its end; below some thousand
// bankrolls a hand is quicker on one.
constexpr unsigned kMostRecursionThreads = 4;
constexpr std::int64_t kLeastRecursionShare = 1024;

}  // namespace

RoundSteps hand_steps(const RoundResult& round) {
    RoundSteps out;
    for (std::size_t r = 0; r < round.rows(); ++r) {
        if (round.hand_chance(r) > 0.0) {
            out.step.push_back(round.step(r));
            out.chance.push_back(round.hand_chance(r));
        }
    }
    return out;
}

RoundSteps round_steps(const RoundDistribution& round) {
    RoundSteps out;
    for (std::size_t y = 0; y < round.chance.size(); ++y) {
        if (round.chance[y] > 0.0) {
            out.step.push_back(static_cast<std::int64_t>(y) - round.down);
            out.chance.push_back(round.chance[y]);
        }
    }
    return out;
}

std::vector<double> ruin_within(const RoundSteps& round, int rounds, std::int64_t lost_below,
                                const std::vector<std::int64_t>& bankrolls) {
    // The most a round loses, in steps.
    std::int64_t down = 0;
    for (const std::int64_t step : round.step) {
        down = std::max(down, -step);
    }
    // The highest state with a chance after every round; anything above counts as safe.
    const std::int64_t top = lost_below + std::int64_t{rounds} * down;
    const auto size = static_cast<std::size_t>(top + 1);
    std::vector<double> old(size, 0.0);
    std::fill(old.begin(), old.begin() + lost_below, 1.0);
    std::vector<double> next = old;
    // Chances below this are dropped, and the bankrolls above the last one left need no work.
    constexpr double kNegligible = 1e-40;
    std::int64_t live = lost_below;  // one past the highest bankroll with a chance left
    std::vector<std::int64_t> steps;
    std::vector<double> chances;
    // A round's bankrolls shared out over the cores where they are many: each is its own sum.
    RoundWorkers workers(std::min(default_threads(), kMostRecursionThreads), kLeastRecursionShare);
    for (int k = 1; k <= rounds; ++k) {
        // r_k(b) = 0 from lost_below + k down up, and wherever every result lands above `live`.
        const std::int64_t reach = std::min({top, lost_below + k * down, live + down});
        // The results that can land on a bankroll with a chance left, in their order: the others
        // would add nothing but zeros to each sum.
        steps.clear();
        chances.clear();
        for (std::size_t i = 0; i < round.step.size(); ++i) {
            if (round.step[i] < live - lost_below) {
                steps.push_back(round.step[i]);
                chances.push_back(round.chance[i]);
            }
        }
        double* const to = next.data();
        const double* const from = old.data();
        // Below `all` every result lands within the states: there the bankrolls are taken a few
        // at a time, each summed over the results in their order. Above it (where a win would
        // pass the top) result by result, again in their order: each chance is the same sum.
        std::int64_t all = reach;
        for (const std::int64_t step : steps) {
            all = std::min(all, top - step + 1);
        }
        all = std::max(all, lost_below);
        auto sum_results = [&](std::int64_t first, std::int64_t last) {
            add_results(to, from, steps.data(), chances.data(), steps.size(), first, last,
                        kNegligible);
        };
        workers.run(lost_below, all, 32, sum_results);
        std::fill(next.begin() + all, next.begin() + reach, 0.0);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            const std::int64_t step = steps[i];
            const double p = chances[i];
            const std::int64_t end = std::min(reach, top - step + 1);
            for (std::int64_t b = all; b < end; ++b) {
                to[b] += p * from[b + step];
            }
        }
        for (std::int64_t b = all; b < reach; ++b) {
            to[b] = to[b] < kNegligible ? 0.0 : to[b];
        }
        live = reach;
        while (live > lost_below && to[live - 1] == 0.0) {
            --live;
        }
        std::fill(next.begin() + reach, next.begin() + std::min(top + 1, reach + down + 1), 0.0);
        std::swap(old, next);
    }
    std::vector<double> out;
    for (const std::int64_t b : bankrolls) {
        out.push_back(b < lost_below ? 1.0 : b <= top ? old[static_cast<std::size_t>(b)] : 0.0);
    }
    return out;
}

double within_terms(const RoundDistribution& round, int rounds) {
    const std::int64_t down = round.down;
    const std::int64_t span = rounds * down;
    // Round k takes each result x to the k down states below it, less x.
    double direct = 0.0;
    for (std::size_t y = 0; y < round.chance.size(); ++y) {
        const std::int64_t x = std::max<std::int64_t>(static_cast<std::int64_t>(y) - down, 0);
        if (round.chance[y] > 0.0 && x < span) {
            const double first = static_cast<double>(x / down + 1);
            const double count = rounds - first + 1.0;
            direct += count *
                      (static_cast<double>(down) * (first + rounds) / 2.0 - static_cast<double>(x));
        }
    }
    return direct;
}

}  // namespace quillon::odds

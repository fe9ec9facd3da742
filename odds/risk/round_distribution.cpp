#include "odds/risk/round_distribution.h"

#include <algorithm>
#include <array>

#include "odds/risk/flush_tiny.h"

namespace quillon::odds {

namespace {

// The sums below take most of the time of a table of every round's size: where the processor
// has wider vector registers they are used (the same sums, term by term, in the same order);
// not under the sanitizers, whose start-up the choice of version would have to run before.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && \
    !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define QUILLON_WIDE_VECTORS [[gnu::target_clones("avx2", "default")]]
#else
#define QUILLON_WIDE_VECTORS
#endif

// The results a block of the next hand's distribution is made of, kept in the fastest cache.
constexpr std::size_t kBlock = 256;

struct Deal {
    std::vector<std::size_t> shift;  // a hand's result in steps, shifted up by a bet
    std::vector<double> chance;
    double weight = 0.0;
};

// One deal's hands added one at a time, N = 1 .. out.size(): now holds N - 1 hands (N = 0:
// 1 at 0), next gets N; now and next have `cap` terms, and are left all zero.
QUILLON_WIDE_VECTORS
void raise_deal(const Deal& deal, std::size_t cap, std::vector<RoundDistribution>& out,
                std::vector<double>& now, std::vector<double>& next) {
    const std::size_t widest = *std::max_element(deal.shift.begin(), deal.shift.end());
    now[0] = 1.0;
    std::size_t extent = 1;       // now[extent..] is zero
    std::size_t next_extent = 0;  // and next[next_extent..]
    std::array<double, kBlock> block{};
    for (std::size_t n = 1; n <= out.size() && extent > 0; ++n) {
        const std::size_t reach = std::min(cap, extent + widest);
        std::vector<double>& p = out[n - 1].chance;
        const std::size_t kept = std::min(reach, p.size());
        std::size_t last = 0;
        for (std::size_t start = 0; start < reach; start += kBlock) {
            const std::size_t end = std::min(reach, start + kBlock);
            std::fill(block.begin(), block.end(), 0.0);
            for (std::size_t i = 0; i < deal.shift.size(); ++i) {
                // y - shift in [0, extent): y from shift to shift + extent.
                const std::size_t s = deal.shift[i];
                const std::size_t lo = std::max(start, s);
                const std::size_t hi = std::min(end, s + extent);
                if (lo >= hi) {
                    continue;
                }
                const double c = deal.chance[i];
                double* const to = block.data() + (lo - start);
                const double* const from = now.data() + (lo - s);
                for (std::size_t y = 0; y < hi - lo; ++y) {
                    to[y] += c * from[y];
                }
            }
            for (std::size_t y = start; y < end; ++y) {
                double v = block[y - start];
                if (v < kDroppedRoundChance) {
                    v = 0.0;
                } else {
                    last = y + 1;
                    if (y < kept) {
                        p[y] += deal.weight * v;
                    }
                }
                next[y] = v;
            }
        }
        std::fill(next.begin() + static_cast<std::ptrdiff_t>(reach),
                  next.begin() + static_cast<std::ptrdiff_t>(std::max(reach, next_extent)), 0.0);
        next_extent = extent;
        extent = last;
        std::swap(now, next);
    }
    std::fill(now.begin(), now.begin() + static_cast<std::ptrdiff_t>(extent), 0.0);
    std::fill(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(next_extent), 0.0);
}

}  // namespace

std::vector<RoundDistribution> round_distributions(const RoundResult& round, int most_play,
                                                   std::int64_t limit) {
    const FlushTiny flush;
    const std::int64_t hand_down = round.down() / round.play();
    std::vector<RoundDistribution> out(static_cast<std::size_t>(most_play));
    for (int n = 1; n <= most_play; ++n) {
        RoundDistribution& p = out[static_cast<std::size_t>(n - 1)];
        p.down = n * hand_down;
        p.chance.assign(static_cast<std::size_t>(std::max<std::int64_t>(limit + p.down, 0)), 0.0);
    }
    // The hands on the way keep every result a later hand's losses can bring below `limit`: in
    // shifted steps, all below limit + most_play * hand_down.
    const auto cap =
        static_cast<std::size_t>(std::max<std::int64_t>(limit, 0) + most_play * hand_down);
    std::vector<double> now(cap, 0.0);
    std::vector<double> next(cap, 0.0);
    Deal deal;
    for (std::size_t d = 0; d < round.distributions(); ++d) {
        deal.shift.clear();
        deal.chance.clear();
        for (std::size_t r = 0; r < round.rows(); ++r) {
            if (round.chance(d, r) > 0.0) {
                deal.shift.push_back(static_cast<std::size_t>(round.step(r) + hand_down));
                deal.chance.push_back(round.chance(d, r));
            }
        }
        deal.weight = round.weight(d);
        raise_deal(deal, cap, out, now, next);
    }
    return out;
}

}  // namespace quillon::odds

// Work shared out over threads round after round: every item of a round done once, and each
// round seeing the whole of the one before, whatever the threads and the cuts.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "odds/risk/round_workers.h"

namespace quillon::odds {
namespace {

// A recurrence in the recursions' shape: each round's item reads its neighbours in the last
// round, so a part done twice, missed, or begun before the last round ended shows in the sums.
std::vector<std::uint64_t> run_rounds(unsigned threads, std::int64_t least_part, int rounds,
                                      std::vector<int>* times_done = nullptr) {
    constexpr std::int64_t kItems = 1000;
    std::vector<std::uint64_t> last(kItems + 2, 1);
    std::vector<std::uint64_t> next(kItems + 2, 0);
    RoundWorkers workers(threads, least_part);
    for (int r = 0; r < rounds; ++r) {
        // Rounds of every length, some too short to share.
        const std::int64_t end = 1 + (r * 37) % kItems;
        auto step = [&](std::int64_t first, std::int64_t stop) {
            for (std::int64_t i = first; i < stop; ++i) {
                const auto u = static_cast<std::size_t>(i);
                next[u] += last[u - 1] * 3 + last[u + 1] + static_cast<std::uint64_t>(r);
                if (times_done != nullptr) {
                    ++(*times_done)[u];
                }
            }
        };
        workers.run(1, end + 1, 8, step);
        std::swap(last, next);
    }
    return last;
}

TEST(RoundWorkers, EveryItemOnceAndEachRoundAfterTheLast) {
    const std::vector<std::uint64_t> alone = run_rounds(1, 1, 300);
    for (const unsigned threads : {2u, 3u, 4u}) {
        for (const std::int64_t least : {1, 16, 300}) {
            EXPECT_EQ(run_rounds(threads, least, 300), alone)
                << threads << " threads, parts of at least " << least;
        }
    }
    std::vector<int> times(1002, 0);
    run_rounds(4, 1, 1, &times);
    EXPECT_EQ(times[0], 0);
    EXPECT_EQ(times[1], 1) << "the one item of the first round, done once";
    EXPECT_EQ(times[2], 0);
}

TEST(RoundWorkers, ALongRoundDoneOnceOverEveryPart) {
    std::vector<int> done(5000, 0);
    RoundWorkers workers(3, 10);
    auto mark = [&](std::int64_t first, std::int64_t last) {
        for (std::int64_t i = first; i < last; ++i) {
            ++done[static_cast<std::size_t>(i)];
        }
    };
    for (int round = 0; round < 50; ++round) {
        workers.run(0, 5000, 32, mark);
    }
    for (std::size_t i = 0; i < done.size(); ++i) {
        ASSERT_EQ(done[i], 50) << "item " << i;
    }
}

// Workers let go right after a round, while their helpers may be between a round and their
// sleep: each must see the stop and end, however the two meet (a helper that missed it hung the
// join).
TEST(RoundWorkers, LetGoRightAfterARoundTheirHelpersEnd) {
    std::int64_t items = 0;
    auto count = [&](std::int64_t first, std::int64_t last) {
        __atomic_fetch_add(&items, last - first, __ATOMIC_RELAXED);
    };
    for (int trial = 0; trial < 2000; ++trial) {
        RoundWorkers workers(2 + trial % 3, 1);
        workers.run(0, 64, 8, count);
    }
    EXPECT_EQ(items, 2000 * 64);
}

}  // namespace
}  // namespace quillon::odds

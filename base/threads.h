#pragma once

#include <thread>
#include <vector>

namespace quillon::odds {

// How many threads the engine's whole-game work runs on when the caller does not say: the
// machine's cores, or QUILLON_THREADS where it is set to a whole number from 1 up (read once, at
// the first call). Never less than one. Every figure comes out the same on any number.
unsigned default_threads();

// Runs `share(t)` for t = 0 .. threads - 1, each on a thread of its own but the first, which runs
// on the caller's; returns when all are done.
template <typename Share>
void on_threads(unsigned threads, Share&& share) {
    std::vector<std::jthread> workers;
    for (unsigned t = 1; t < threads; ++t) {
        workers.emplace_back([&, t] { share(t); });
    }
    share(0);
}

}  // namespace quillon::odds

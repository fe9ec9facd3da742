#pragma once

#include <gtest/gtest.h>

namespace quillon::odds {

// The sanitizer build checks the engine's index arithmetic, its readers and its threads. What only
// repeats that code over whole games, every deal of a chart or long simulations takes seconds
// there, and is left to the release build: the same code runs under the sanitizers on small
// made-up games, reduced deal sets and short walks.
#ifdef QUILLON_SANITIZED
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace quillon::odds

// The first line of a test that runs over whole games: skipped under the sanitizers.
#define QUILLON_WHOLE_GAME_SWEEP()                                       \
    if (::quillon::odds::kSanitized) {                                   \
        GTEST_SKIP() << "a whole-game sweep: the release build runs it"; \
    }                                                                    \
    static_assert(true)

#pragma once

#if defined(__SSE2__)
#include <xmmintrin.h>
#endif

namespace quillon::odds {

// Within its scope, results and operands below the least normal double (some 2e-308) count as
// zero: the long sums of chances reach them, and the processor takes many times longer over
// each one, for no figure anyone reads.
class FlushTiny {
  public:
#if defined(__SSE2__)
    FlushTiny() : saved_(_mm_getcsr()) {
        _mm_setcsr(saved_ | 0x8040U);
    }
    ~FlushTiny() {
        _mm_setcsr(saved_);
    }

  private:
    unsigned saved_;
#else
    FlushTiny() = default;
#endif

  public:
    FlushTiny(const FlushTiny&) = delete;
    FlushTiny& operator=(const FlushTiny&) = delete;
};

}  // namespace quillon::odds

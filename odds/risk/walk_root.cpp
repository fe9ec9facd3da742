#include "odds/risk/walk_root.h"

namespace quillon::odds {

double walk_root(const std::function<long double(long double z)>& excess) {
    long double hi = 1.0L - 1e-3L;
    while (excess(hi) >= 0.0L && hi < 1.0L) {
        hi = 1.0L - (1.0L - hi) / 2;
    }
    // excess(lo) > 0 and excess(hi) < 0 throughout: once the middle is one of the ends, neither
    // moves again.
    long double lo = 1e-9L;
    for (int i = 0; i < 200; ++i) {
        const long double mid = (lo + hi) / 2;
        if (mid == lo || mid == hi) {
            break;
        }
        (excess(mid) > 0.0L ? lo : hi) = mid;
    }
    return static_cast<double>((lo + hi) / 2);
}

}  // namespace quillon::odds

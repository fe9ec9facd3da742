#include "odds/risk/ladder_heights.h"

#include <algorithm>

namespace quillon::odds {

std::vector<long double> LadderRuin::chances(std::int64_t most) const {
    std::vector<long double> r(static_cast<std::size_t>(std::max<std::int64_t>(most, 0) + 1), 1.0L);
    const auto down = static_cast<std::int64_t>(ladder.size());
    for (std::int64_t m = 1; m <= most; ++m) {
        long double sum = 0.0L;
        for (std::int64_t k = 1; k <= down; ++k) {
            sum += ladder[static_cast<std::size_t>(k - 1)] *
                   (k >= m ? 1.0L : r[static_cast<std::size_t>(m - k)]);
        }
        r[static_cast<std::size_t>(m)] = sum;
    }
    return r;
}

}  // namespace quillon::odds

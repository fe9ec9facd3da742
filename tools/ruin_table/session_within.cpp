#include "tools/ruin_table/session_within.h"

#include <algorithm>

#include "odds/risk/round_distribution.h"
#include "odds/risk/session_risk.h"
#include "tools/ruin_table/session_ruin.h"

namespace quillon::odds {

std::vector<SessionWithin> session_within(const RoundResult& round, int first, int last) {
    const std::int64_t units = round.units();
    // Each size of round needs its results below the states its recursion has: rounds x N bets.
    std::int64_t limit = 0;
    for (int n = first; n <= last; ++n) {
        limit = std::max<std::int64_t>(limit, std::int64_t{session_rounds(n)} * n * units);
    }
    const std::vector<RoundDistribution> rounds = round_distributions(round, last, limit);
    std::vector<SessionWithin> out;
    for (int n = first; n <= last; ++n) {
        const RoundDistribution& p = rounds[static_cast<std::size_t>(n - 1)];
        SessionWithin row;
        row.play = n;
        row.rounds = session_rounds(n);
        const std::vector<std::int64_t> bankrolls = {100 * units, 400 * units, 1000 * units};
        row.on_circle = within_by_circle(p, row.rounds);
        const WithinRounds within = ruin_within_rounds(p, row.rounds, n * units, bankrolls);
        std::copy(within.chance.begin(), within.chance.end(), row.chance.begin());
        std::copy(within.error.begin(), within.error.end(), row.error.begin());
        out.push_back(row);
    }
    return out;
}

}  // namespace quillon::odds

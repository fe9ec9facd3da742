#include "odds/risk/round_ruin.h"

#include <algorithm>
#include <cmath>

namespace quillon::odds {

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
    const LadderRuin ladder = ladder_from_circle(round, work);
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

}  // namespace quillon::odds

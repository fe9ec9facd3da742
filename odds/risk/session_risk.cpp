#include "odds/risk/session_risk.h"

#include "odds/risk/round_ruin.h"

#include "odds/risk/round_distribution.h"
#include "odds/risk/round_result.h"
#include "odds/risk/ruin_within.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <numeric>

namespace quillon::odds {

namespace {

// The risk figures of one hand that do not depend on how the hands are grouped into rounds.
SessionRisk hand_risk(const GameReturn& result) {
    SessionRisk risk;
    risk.edge = result.return_rate() - 1.0;
    risk.standard_deviation = result.standard_deviation();
    const double variance = risk.standard_deviation * risk.standard_deviation;
    const double ret = result.return_rate();
    const auto scale = static_cast<double>(result.pay_scale);
    for (std::size_t r = 0; r < result.counts.size(); ++r) {
        const double d = static_cast<double>(result.pays[r]) / scale - ret;
        risk.variance_share.push_back(variance > 0.0 ? result.probability(r) * d * d / variance
                                                     : 0.0);
    }
    risk.n0 = risk.edge == 0.0 ? std::numeric_limits<double>::infinity()
                               : 9.0 * variance / (risk.edge * risk.edge);
    return risk;
}

// Why the chance within a session is not given where results divide a bet too finely.
std::string too_fine_for_recursion(std::int64_t units) {
    return "the results divide a bet into " + std::to_string(units) +
           " parts; the exact recursion on the bankroll takes time and memory in proportion, and "
           "is run up to " +
           std::to_string(kFinestRecursionUnits);
}

// The chance of ruin within the session of N hands a round, where it is not worked out ahead:
// always for one hand a round, whose results are few; for more, term by term where that takes a
// second or so (a round of few hands, whose results are few), and otherwise said not to be given.
void add_ruin_within(SessionRisk& risk, const RoundResult& round, bool count) {
    if (risk.bankrolls.empty()) {
        return;
    }
    const int play = round.play();
    if (round.units() > kFinestRecursionUnits) {
        risk.within_not_given = too_fine_for_recursion(round.units());
        return;
    }
    std::vector<std::int64_t> bankrolls;
    for (const int b : risk.bankrolls) {
        bankrolls.push_back(b * round.units());
    }
    if (play == 1) {
        risk.ruin_within = ruin_within(hand_steps(round), risk.rounds, round.units(), bankrolls);
        return;
    }
    if (count && play <= kMostPlayWithinCounted) {
        const std::int64_t lost = play * round.units();
        const RoundDistribution p =
            round_distributions(round, play, std::int64_t{risk.rounds} * lost).back();
        if (within_terms(p, risk.rounds) <= kMostWithinTerms) {
            risk.ruin_within = ruin_within(round_steps(p), risk.rounds, lost, bankrolls);
            return;
        }
    }
    risk.within_not_given =
        "the exact recursion on the bankroll takes the round's whole distribution (some "
        "thousands of results) at every bankroll it can reach, round by round: seconds to "
        "minutes, past the command's time; it is worked out ahead for the built-in games' "
        "own tables, and counted for others' only where that takes a second or so (some "
        "tables at 2 or 3 hands a round)";
}

// The risk of a session of `hands` hands in rounds of round.play(), one hand a round the same
// as any other number but for its chance without end, z^bankroll exactly.
SessionRisk risk_of_rounds(const RoundResult& round, const GameReturn& result,
                           std::vector<int> bankrolls, int hands,
                           const std::array<double, 3>* known_within,
                           const std::array<double, 3>* known_ever, bool count_within) {
    SessionRisk risk = hand_risk(result);
    const int play = round.play();
    risk.bankrolls = std::move(bankrolls);
    risk.hands = hands;
    risk.rounds = (hands + play - 1) / play;
    if (known_within != nullptr) {
        risk.ruin_within.assign(known_within->begin(), known_within->end());
    } else {
        add_ruin_within(risk, round, count_within);
    }
    if (play == 1) {
        const double z = round.ruin_root();
        for (const int b : risk.bankrolls) {
            risk.ruin_ever.push_back(std::pow(z, b));
        }
        return risk;
    }
    risk.play = play;
    risk.standard_deviation = std::sqrt(round.variance());
    const double edge = round.mean();
    risk.n0 = edge == 0.0 ? std::numeric_limits<double>::infinity()
                          : 9.0 * round.variance() / (edge * edge);
    risk.units = round.units();
    RoundRuin ruin = round_ruin_bounds(round, risk.bankrolls);
    // Figures worked out ahead for this very game are taken where they lie within the bounds.
    bool known = known_ever != nullptr;
    for (std::size_t i = 0; known && i < ruin.ever.size(); ++i) {
        known = ruin.at_least[i] <= (*known_ever)[i] && (*known_ever)[i] <= ruin.at_most[i];
    }
    if (known) {
        ruin.ever.assign(known_ever->begin(), known_ever->end());
    } else {
        ruin = round_ruin_ever(round, risk.bankrolls);
    }
    risk.ruin_ever = std::move(ruin.ever);
    risk.ruin_ever_at_least = std::move(ruin.at_least);
    risk.ruin_ever_at_most = std::move(ruin.at_most);
    risk.ever_not_exact = std::move(ruin.not_exact);
    return risk;
}

}  // namespace

SessionRisk session_risk(const GameReturn& result, std::vector<int> bankrolls, int hands) {
    return risk_of_rounds(RoundResult(hand_results(result)), result, std::move(bankrolls), hands,
                          nullptr, nullptr, true);
}

SessionRisk round_risk(const DealOutcomes& outcomes, const GameReturn& result, int play,
                       const std::array<double, 3>* known_within,
                       const std::array<double, 3>* known_ever, bool count_within) {
    const RoundResult round = play == 1
                                  ? RoundResult(hand_results(result))
                                  : RoundResult(outcomes, result.pays, result.pay_scale, play);
    return risk_of_rounds(round, result, {100, 400, 1000}, kSessionHands, known_within, known_ever,
                          count_within);
}

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "odds/play/deal_outcomes.h"
#include "odds/play/game_return.h"
#include "odds/risk/hand_results.h"

namespace quillon::odds {

// The risk of a session at one game, in bets of one hand's bet. With more than one hand a round
// (multi-play) the standard deviation, N0 and the chances of ruin are per round.
struct SessionRisk {
    int play = 1;
    // Per hand.
    double edge = 0.0;
    // Per round.
    double standard_deviation = 0.0;
    // Each final hand's share of the variance.
    std::vector<double> variance_share;
    // The rounds after which the expected win (or loss) is three standard deviations of the
    // session's result; infinite on an even game.
    double n0 = 0.0;
    std::vector<int> bankrolls;
    // The chance of losing each bankroll (in bets) within `hands` rounds, and in play without end:
    // the bankroll is lost once it cannot pay a round's bets. One hand a round cannot lose more
    // than the bankroll holds and `ruin_ever` is z^bankroll. N hands can lose up to N bets at
    // once, past the bottom: the chance lies between z^bankroll (`ruin_ever_at_least`) and
    // z^(bankroll - N + 1) (`ruin_ever_at_most`; + 1/2 in place of + 1 where results fall on
    // halves), and `ruin_ever` is the exact one, from the round's descending ladder heights,
    // where `ever_not_exact` is empty (otherwise the lower bound again).
    int hands = 0;
    // The rounds of the session: `hands` of one hand a round, ceil(hands / N) of N (the session
    // is the same number of hands whatever the round's size).
    int rounds = 0;
    std::vector<double> ruin_within;
    std::vector<double> ruin_ever;
    std::vector<double> ruin_ever_at_least;
    std::vector<double> ruin_ever_at_most;
    std::string ever_not_exact;
    // The parts of a bet the round's results are whole numbers of (N hands a round).
    std::int64_t units = 1;
    // Why `ruin_within` is empty, where it is.
    std::string within_not_given;
};

inline constexpr int kSessionHands = 10'000;

// The rounds of `play` hands a session of kSessionHands hands takes: the last may run past it.
constexpr int session_rounds(int play) {
    return (kSessionHands + play - 1) / play;
}

// The recursion within a session counts chances to this and a little below; a smaller one is
// printed as "below" it.
inline constexpr double kLeastPrintedChance = 1e-30;

SessionRisk session_risk(const GameReturn& result, std::vector<int> bankrolls = {100, 400, 1000},
                         int hands = kSessionHands);

// The same for rounds of `play` hands, from the deals' own final-hand distributions, for
// bankrolls of 100, 400 and 1,000 bets and sessions of kSessionHands hands (session_rounds(play)
// rounds). `known_within`, where given, holds the chances of ruin within the session already
// counted for these `play` hands a round (by the recursion on the bankroll over the round's
// whole distribution: tools/ruin_table/session_within.h); without it, with `count_within`, they are
// counted here up to kMostPlayWithinCounted hands a round (a second or so), and are otherwise not
// given for more than one. `known_ever` holds those without end, worked out ahead.
SessionRisk round_risk(const DealOutcomes& outcomes, const GameReturn& result, int play,
                       const std::array<double, 3>* known_within = nullptr,
                       const std::array<double, 3>* known_ever = nullptr,
                       bool count_within = false);

inline constexpr std::int64_t kFinestRecursionUnits = 2;
// Rounds of up to this many hands have their chance within a session counted afresh for any
// table, where the recursion term by term takes at most kMostWithinTerms products (about a
// second); larger ones only for the built-in games' own tables, worked out ahead.
inline constexpr int kMostPlayWithinCounted = 3;
inline constexpr double kMostWithinTerms = 3e9;

}  // namespace quillon::odds

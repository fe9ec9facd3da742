#pragma once

#include <array>
#include <ostream>
#include <vector>

#include "base/card.h"
#include "odds/play/double_up.h"
#include "odds/play/game_return.h"
#include "odds/play/hold_analysis.h"

namespace quillon::odds {

// One built-in game and its return under perfect play, for `quillon-odds games`.
struct GameSummary {
    std::string_view name;
    Game game;
    GameReturn result;
};

// The printed reports of quillon-odds.
void print_holds(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                 const std::array<HoldOutcome, kHoldCount>& holds);
// One hold against the best: what the player gives up per coin.
void print_hold_check(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                      const std::array<HoldOutcome, kHoldCount>& holds, HoldMask hold);
void print_game_return(std::ostream& out, const Game& game, const GameReturn& result);
void print_games(std::ostream& out, const std::vector<GameSummary>& games);
void print_double_up(std::ostream& out, const DoubleUpOdds& odds);

// "s1 s13" for the cards a hold keeps, "(draw five)" for none.
std::string held_cards(const std::array<CardId, 5>& deal, HoldMask mask);
// The exact expected return of a hold, per coin bet.
std::string hold_exact(const HoldOutcome& hold);
// What the best hold returns above another, per coin bet: the number and the exact fraction.
double given_up(const HoldOutcome& best, const HoldOutcome& hold);
std::string given_up_exact(const HoldOutcome& best, const HoldOutcome& hold);
std::string return_exact(const GameReturn& result);
std::string wild_text(Wild wild);

// One hand's standard deviation after a hold, per coin bet.
double hold_deviation(const Game& game, const HoldOutcome& hold);
// A multi-play round of `play` hands on the deal with each of the `shown` holds: the N draws are
// independent given the hold, so the round returns N times and spreads sqrt(N) times one hand.
void print_hold_rounds(std::ostream& out, const Game& game, const std::array<CardId, 5>& deal,
                       const std::vector<HoldOutcome>& shown, int play);

}  // namespace quillon::odds

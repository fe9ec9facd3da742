#pragma once

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Three low cards in a row beside the joker, in the joker games where a pair pays. The run just
// below the high cards (10-J-Q in kings or better) reaches one straight without a high card and
// pays no more than any other straight, while its ten alone beside the joker keeps the royal
// flush and the high pairs the joker draws to: so it plays well below the other runs, and
// "joker + 3 to a straight, mixed suits, no gaps, not 2-3-4 or 10-J-Q, no high card" takes in
// the others without it.
namespace quillon::odds::top_runs {

// The ranks (a mask) of the three low ranks in a row just below the lowest high rank other than
// the ace, where the game has them and a joker, and a pair pays; 0 elsewhere.
unsigned top_run(const RankProfile& profile);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::top_runs

#pragma once

#include "odds/strategy/patterns/hold_pattern.h"

// Which lone low card to keep beside the joker, where a pair of high cards pays. The joker and
// one card draw three: the card earns its keep through the straights it reaches, but a straight
// that holds a high card adds little (a high card drawn to the joker pays already), and a
// straight that holds two discards or more is hard to fill. So a card's open straights are the
// straights that reach it with no high card and at most one discard in them. Each discard of the
// card's suit takes one away (a card its flush cannot draw), and a ten, the card that reaches the
// royal flush, counts one more; of the deal's low cards the one to keep is the one with the
// highest count, ties going to the chart's tie rule: "joker + the low card with the most open
// straights less discards of its suit, a ten counting one more".
namespace quillon::odds::open_straights {

// The open straights of a card of `rank` beside these discarded ranks (a rank mask).
int open_count(int rank, unsigned discards, const RankProfile& profile);

}  // namespace quillon::odds::open_straights

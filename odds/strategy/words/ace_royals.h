#pragma once

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/words/distinction.h"

// Two or three to a royal flush without the joker, in the joker games where a pair pays: whether
// the high cards among them hold the ace. An ace closes all straights but one, so beside junk
// "suited K-Q" is worth keeping where "suited A-Q" loses to an unsuited K-A or the ace alone,
// and suited 10-J-K is worth more than a pair of kings where J-K-A is not; the words say it as
// "2 to a royal flush, 1 high card, no ace" or ", with the ace", and may add the flush penalty.
namespace quillon::odds::ace_royals {

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::ace_royals

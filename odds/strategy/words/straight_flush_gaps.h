#pragma once

#include <string_view>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Three to a straight flush in the joker games where a pair pays, with the joker or without:
// those with two gaps and no high card reach one straight flush and no paying pair of their own,
// and rank well below the rest (below three of a kind with the joker, below four to an outside
// straight without it). "3 to a straight flush, not a royal, not 2 gaps with no high card" takes
// in the rest in one line.
namespace quillon::odds::straight_flush_gaps {

// This file's pattern where it takes in every hold of a finer draw's pattern that tells its gaps
// or high cards ("3 to a straight flush, not a royal, 1 high card"); 0 for any other pattern.
PatternKey parent(PatternKey key, const RankProfile& profile);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::straight_flush_gaps

#pragma once

#include <string>
#include <vector>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// Straight-flush draws of the joker games where no pair pays, by the straight flushes they lie in,
// whatever their gaps: suited 6-7 lies in four (3-7 to 6-10), 6-8 and 3-4 in three, 2-3 in two.
// With one wild card among 53 a draw's worth follows the straight flushes it can make more closely
// than its gaps, so draws of different gaps that lie in as many straight flushes share a line:
// "joker + 2 to a straight flush, not a royal, in 3 straight flushes". Two suited cards may add
// their flush penalty, and after it their clear straights, those that hold both cards and need
// none of the ranks thrown away: "2 to a straight flush, not a royal, in 2 straight flushes, no
// flush penalty, 1 straight clear".
namespace quillon::odds::straight_flush_ways {

// The draw of any gaps `any_gaps` (a straight-flush draw's key with kAnyGaps) by the straight
// flushes it lies in (`fit` of its natural cards), where the game makes the distinction; 0
// elsewhere.
PatternKey ways_key(PatternKey any_gaps, pattern_key::Family family, const StraightFit& fit,
                    const RankProfile& profile);

// Adds to `out` the draw by its straight flushes where a straight-flush draw's key (by its gaps,
// or at the ace end by the straights that reach it) tells how many it lies in.
void add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::straight_flush_ways

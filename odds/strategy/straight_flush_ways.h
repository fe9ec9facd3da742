#pragma once

#include <string>
#include <vector>

#include "odds/strategy/distinction.h"
#include "odds/strategy/hold_pattern.h"
#include "odds/strategy/pattern_key.h"
#include "odds/strategy/straight_fit.h"

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

// The draw without its flush penalty, for a draw by its straight flushes that says one; nothing
// for other keys.
HoldPatterns coarser(PatternKey key, const RankProfile& profile);

// The patterns of `draws` (a hold's patterns, finest first) with each draw by its straight
// flushes of two natural cards, `ranks`, preceded by the same draw with its clear straights, those
// that hold both cards and need none of the discarded ranks `gone`.
HoldPatterns add_clear(const HoldPatterns& draws, unsigned ranks, unsigned gone,
                       const RankProfile& profile);

// Adds to `out` (the game's words) each draw of two natural cards by its straight flushes with
// every count of clear straights it can have.
void add_vocabulary(const RankProfile& profile, std::vector<PatternKey>& out);

// ", in 3 straight flushes" for a draw by its straight flushes; nothing for other keys.
std::string ways_text(PatternKey key, const RankProfile& profile);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::straight_flush_ways

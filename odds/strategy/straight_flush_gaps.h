#pragma once

#include <string_view>

#include "odds/strategy/distinction.h"
#include "odds/strategy/hold_pattern.h"
#include "odds/strategy/pattern_key.h"

// Three to a straight flush in the joker games where a pair pays, with the joker or without:
// those with two gaps and no high card reach one straight flush and no paying pair of their own,
// and rank well below the rest (below three of a kind with the joker, below four to an outside
// straight without it). "3 to a straight flush, not a royal, not 2 gaps with no high card" takes
// in the rest in one line.
namespace quillon::odds::straight_flush_gaps {

// Adds the pattern to a draw's patterns (`draws`, finest first), just before the family alone
// ("3 to a straight flush, not a royal"), where the draw is three natural cards to a straight
// flush of a joker game where a pair pays, with fewer than two gaps or a high card.
HoldPatterns add_not_bare(const HoldPatterns& draws, pattern_key::Family family, int naturals,
                          int gaps, int high, const RankProfile& profile);

// This file's pattern where it takes in every hold of a finer draw's pattern that tells its gaps
// or high cards ("3 to a straight flush, not a royal, 1 high card"); 0 for any other pattern.
PatternKey parent(PatternKey key, const RankProfile& profile);

// The next coarser pattern of this file's pattern (the family alone); nothing for any other.
HoldPatterns coarser(PatternKey key);

// What the pattern adds to the draw's words, or nothing for any other pattern.
std::string_view suffix(PatternKey key);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::straight_flush_gaps

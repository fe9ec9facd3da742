#pragma once

#include <string>
#include <vector>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Sets and straight-flush draws with the joker or without, in joker games where no pair pays:
// the joker beside a pair plays much as three of a kind, beside three of a kind as four, and
// beside three to a royal flush as four to one, so a short chart says each in one line: "four
// of a kind, natural or with the joker", "4 to a royal flush, natural or with the joker".
namespace quillon::odds::joker_sets {

// The set of `held` cards (3 or 4), `naturals` of them natural and all of one rank, natural or
// with the joker, where the game makes the distinction; 0 elsewhere.
PatternKey any_joker_key(int held, int naturals, bool one_rank, const RankProfile& profile);

// The suited draw of `held` cards (3 or 4), `naturals` of them natural, to a royal or a straight
// flush (`family`), natural or with the joker, where the game makes the distinction; 0
// elsewhere.
PatternKey any_joker_draw(int held, int naturals, bool suited, pattern_key::Family family,
                          const RankProfile& profile);

// Adds to `out` the set or draw natural or with the joker where a key is one of them.
void add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out);

// "four of a kind, natural or with the joker".
std::string any_joker_text(PatternKey key, const RankProfile& profile);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::joker_sets

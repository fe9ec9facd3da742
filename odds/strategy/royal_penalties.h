#pragma once

#include <string_view>

#include "odds/strategy/distinction.h"
#include "odds/strategy/hold_pattern.h"

// Three to a royal flush without the joker, in the joker games where a pair pays, where the words
// do not tell the ace (every draw of as many high cards holds it: A-K beside a ten, jack or queen
// in kings or better): a discard of their suit, a card the royal cannot draw, takes them below
// a pair of high cards, so the words may add the flush penalty: "3 to a royal flush, 2 high
// cards, no flush penalty".
namespace quillon::odds::royal_penalties {

// The draw's patterns (`draws`, finest first) with the draw by its high cards and its flush
// penalty (1 a discard of their suit, 2 none) just before the draw by its high cards, where it
// is three suited royal cards (`ranks`) of such a game kept without a wild card.
HoldPatterns add_penalty(const HoldPatterns& draws, unsigned ranks, int wild, unsigned penalty,
                         const RankProfile& profile);

// The next coarser pattern of this file's pattern (the draw by its high cards); nothing for any
// other.
HoldPatterns coarser(PatternKey key);

// What the pattern adds to the draw's words, or nothing for any other pattern.
std::string_view suffix(PatternKey key);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::royal_penalties

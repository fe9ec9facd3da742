#pragma once

#include <string_view>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/words/distinction.h"

// Three to a royal flush without the joker, in the joker games where a pair pays, where the words
// do not tell the ace (every draw of as many high cards holds it: A-K beside a ten, jack or queen
// in kings or better): a discard of their suit, a card the royal cannot draw, takes them below
// a pair of high cards, so the words may add the flush penalty: "3 to a royal flush, 2 high
// cards, no flush penalty".
namespace quillon::odds::royal_penalties {

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::royal_penalties

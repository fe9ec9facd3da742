#pragma once

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Patterns that span several families of draws or of made hands, so that a short chart can say
// in one line what published charts say in one: "4 to a flush" (a straight flush draw too),
// "4 to an outside straight" (in any suits), three to a straight flush by its high cards against
// its gaps, and "royal flush, straight flush or four of a kind". Games with wild cards have
// their own distinctions and do not use these.
namespace quillon::odds {

// A draw of natural cards as the classifier sees it.
struct DrawShape {
    pattern_key::Family family = pattern_key::Family::plain;
    int cards = 0;
    int high = 0;
    // The ranks missing between its lowest and highest card, where it fits a straight.
    int gaps = 0;
    bool edge = false;
    // The straights that can fill it; zero where none.
    int ways = 0;
};

// Whether the game uses the spanning patterns: it has no wild cards.
bool spans(const RankProfile& profile);

// Pushes the spanning patterns the draw shows; `base` holds its kind, held and wild fields.
void push_spanning_draws(PatternKey base, const DrawShape& shape, const RankProfile& profile,
                         HoldPatterns& out);

// The spanning patterns that take in every hold of `key`.
void push_spanning_parents(PatternKey key, const RankProfile& profile, HoldPatterns& out);

// "royal flush, straight flush or four of a kind": the made hands that pay more than any draw
// in them.
PatternKey top_hands();

// Where the hold keeps exactly the paying cards of the deal, the lines of dealt hands kept
// whole: "royal flush, straight flush or four of a kind" (four of a kind with its kicker where
// the kicker pays), the same or else "4 to a royal flush", "three of a kind, straight, flush or
// full house", and the same with two pair and with a high pair. No deal has two holds of one.
void push_dealt_hand(const RankProfile& profile, const std::array<CardId, 5>& deal, HoldMask mask,
                     HoldPatterns& out);
// Whether a pattern is one of those lines.
bool keeps_dealt_hand(PatternKey key);
// Whether some four of a kind of the game pays more beside some kicker.
bool kickers_pay(const RankProfile& profile);

// Whether some draws of a type of three to a straight flush (pattern_key::sf_type) sit at the ace
// end, so that the words name them.
bool sf_type_has_edge(unsigned type, const RankProfile& profile);

}  // namespace quillon::odds

#pragma once

#include <cstddef>
#include <string>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// The distinctions deuces wild players draw. With no natural two in the deck, a straight that
// lacks its two is filled by a deuce alone, so draws at the low end differ by how many straights
// natural cards can still fill; players also count deuces among the cards of a hand ("four of a
// kind, natural or with deuces") and group the hands that pay most.
namespace quillon::odds::deuces_patterns {

// Whether the game's twos are wild.
bool plays_deuces(const RankProfile& profile);

// Sets and made hands.

// Where a deuces wild game pays five of a kind by rank, sets are told apart by the ranks whose
// five pays alike: "pair (aces)", "three threes to fives".
void group_by_fives(const Game& game, RankProfile& profile);

// Whether a row of a deuces wild game pays at least the least five of a kind.
bool five_or_better(const Game& game, std::size_t row);

// Three or four of a kind natural or with deuces, where `held` cards of one natural rank
// (`distinct_ranks` of them) and deuces are all the hold keeps; 0 for other holds.
PatternKey any_deuces_key(int held, int naturals, int distinct_ranks, const RankProfile& profile);

// "four of a kind, natural or with deuces".
std::string any_deuces_text(PatternKey key, const RankProfile& profile);

// Draws.

// The finer pattern of a straight-flush draw, or of four natural cards to a straight, whose
// gaps key is `gaps_key`: the draws at an end told apart by how many straights natural cards
// fill (kWays), and four to an inside straight told from A-3-4-5, which only a deuce fills.
// 0 where the draw has no finer pattern.
PatternKey ways_key(PatternKey gaps_key, pattern_key::Family family, int naturals, int wild,
                    const StraightFit& fit, const RankProfile& profile);

// The groups of draws deuces players name, coarser than the draw's gaps and finer than its
// family: four to a straight that natural cards fill (not A-3-4-5), straight-flush draws with
// deuces by whether a straight that holds them needs a two, and two to a royal flush by its
// highest card. `family_key` is the draw's family with any gaps.
HoldPatterns group_keys(PatternKey family_key, pattern_key::Family family, int naturals, int wild,
                        unsigned ranks, const StraightFit& fit, const RankProfile& profile);

// Three or four cards to a royal or a straight flush, natural or with deuces: natural cards of
// one suit (any one card is) that fit a straight, beside any deuces; 0 for other holds.
PatternKey any_flush_key(int held, int naturals, bool suited, unsigned ranks,
                         const StraightFit& fit, const RankProfile& profile);

// Adds the coarser patterns the deuces distinctions give a pattern to `out`; true when they are
// all there, false when the pattern's other coarser patterns are still to come.
bool add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out);

// Words.

// The words a group key adds to its family's: ", ace high", ", no ace", ", highest card 7 or
// higher"; empty for other keys.
std::string group_text(PatternKey key);

// Whether a set of natural ranks belongs to the draws of a key's ways (any, where it has none).
bool ways_match(PatternKey key, const StraightFit& fit);

// "4 to an outside straight, not 3-4-5-6", "4 to an inside straight or 3-4-5-6, not A-3-4-5":
// four natural cards to a straight in deuces wild, before their suits.
std::string four_straight_text(PatternKey key);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::deuces_patterns

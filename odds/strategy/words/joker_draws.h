#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// The distinctions of the joker games, where one wild card among 53 makes every single card a
// straight draw and the joker beside a king or an ace is a paying hand of all five cards:
// - a card kept alone, with the joker or without, is named by its rank ("joker + seven", "eight
//   alone"), since which rank to keep turns on the straights each one reaches;
// - "straight or better, all five cards" keeps every made hand from the straight up in one line,
//   without the joker and a king among junk, which also pays, and "flush or better", "full house
//   or better" and "straight flush or better" do the same from higher up;
// - two to a royal beside the joker say whether they hold the ace, and their flush penalty;
// - "joker + a card from 2 to 9" keeps the joker and one spot card;
// - straight-flush draws at the ace end, with the joker or without, are told apart by how many
//   straights reach them: suited 3-4 three, 2-3 two, A-2 one.
namespace quillon::odds::joker_draws {

// Whether a game's charts make these distinctions: the games with the joker.
bool applies(const Game& game);

// The floors a made hand of all five cards in pay row `row` reaches (kFloors), where the game
// makes these distinctions: "straight or better" where a pair pays (elsewhere it is every paying
// hand), then "flush or better", "full house or better" and "straight flush or better" where the
// table pays those hands in that order.
PatternKey made_hand_floors(const Game& game, std::size_t row);

// The patterns of the floors a made hand's key reaches, highest first.
HoldPatterns floor_patterns(PatternKey made);

// "flush or better, all five cards": a floor's words, in the game's names of the hands.
std::string floor_text(PatternKey key, const Game& game);

// Whether a draw of `wild` wild cards holds the joker: a wild card where every rank is natural.
bool holds_joker(int wild, const RankProfile& profile);

// Adds to two to a royal beside the joker (`draws`, their patterns finest first) the draw by
// whether it holds the ace, and by that and its flush penalty (0 where not known): an ace closes
// all straights but one, and a discard of the draw's suit takes a flush.
HoldPatterns royal_draw(const HoldPatterns& draws, unsigned ranks, unsigned penalty);

// The straight-flush draw whose gaps key is `gaps_key` (`naturals` natural cards, these ranks
// and fit) by the straights that reach it (kWays), where it sits at the ace end and draws of its
// size, gaps and high cards there reach different numbers of straights; 0 elsewhere.
PatternKey ways_key(PatternKey gaps_key, pattern_key::Family family, int naturals, unsigned ranks,
                    const StraightFit& fit, const RankProfile& profile);

// This file's distinction, as the registry lists it.
const Distinction& distinction();

}  // namespace quillon::odds::joker_draws

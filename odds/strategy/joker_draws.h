#pragma once

#include <vector>

#include "odds/pay_table.h"
#include "odds/strategy/hold_pattern.h"

// The distinctions of the joker games, where one wild card among 53 makes every single card a
// straight draw and the joker beside a king or an ace is a paying hand of all five cards:
// - a card kept alone, with the joker or without, is named by its rank ("joker + seven", "eight
//   alone"), since which rank to keep turns on the straights each one reaches;
// - "straight or better, all five cards" keeps every made hand from the straight up in one line,
//   without the joker and a king among junk, which also pays.
namespace quillon::odds::joker_draws {

// Whether a game's charts make these distinctions: the games with the joker.
bool applies(const Game& game);

// The mark a made hand of all five cards in pay row `row` carries: kStraightUp where the game
// makes these distinctions and the row pays at least a straight, else nothing.
PatternKey made_hand_mark(const Game& game, std::size_t row);

// The pattern of every marked made hand, from its row's key.
PatternKey straight_up(PatternKey made);

// "straight or better, all five cards", in the game's own word for a straight.
std::string straight_up_text(const Game& game);

// The patterns of one natural card of `rank` kept beside `wild` jokers, finest first: the card
// by its rank, then the draw's own patterns (`coarser`, finest first).
HoldPatterns single_card(int rank, int wild, const HoldPatterns& coarser);

// Every pattern of these distinctions that a hold of the game can show.
void add_vocabulary(const Game& game, const RankProfile& profile, std::vector<PatternKey>& out);

}  // namespace quillon::odds::joker_draws

#pragma once

#include <cstdint>

#include "odds/strategy/hold_pattern.h"

// The fields of a packed hold pattern, shared by the files that classify holds, write them in
// words and read them back.
namespace quillon::odds::pattern_key {

enum class Kind : unsigned { nothing, wild_alone, made_five, sets, draw };
enum class Family : unsigned { plain, royal, straight_flush, flush, straight };

inline constexpr unsigned kNoRow = 31;
// The made-hand row that stands for "royal flush, straight flush or four of a kind".
inline constexpr unsigned kTopRow = 30;
// The rows of dealt hands kept whole (their paying cards): "three of a kind, straight, flush or
// full house", then with two pair, then with a high pair too.
inline constexpr unsigned kMadeRow = 29;
inline constexpr unsigned kPaidRow = 28;
inline constexpr unsigned kPairRow = 27;
// "royal flush, straight flush, four of a kind or 4 to a royal flush": the first, or else four
// to a royal.
inline constexpr unsigned kRoyalDrawRow = 26;

struct Field {
    unsigned shift;
    unsigned bits;
};
inline constexpr Field kKind{0, 3};
inline constexpr Field kHeld{3, 3};
inline constexpr Field kWild{6, 3};
// Sets and made hands.
inline constexpr Field kTop{9, 3};
inline constexpr Field kSecond{12, 3};
inline constexpr Field kKickers{15, 3};
inline constexpr Field kRow{18, 5};
// Where the game pays four of the set's rank more beside some kickers: 1 when a held kicker is
// one of them, 2 when none is, 0 where the pattern does not tell.
inline constexpr Field kKickerPays{23, 2};
// Draws.
inline constexpr Field kFamily{9, 3};
inline constexpr Field kGaps{12, 3};
inline constexpr Field kEdge{15, 1};
inline constexpr Field kHigh{16, 3};
inline constexpr Field kSuited{19, 1};
inline constexpr Field kNamed{20, 1};
// Named draws of two or three suited cards: 1 when a discard of their suit spoils the flush, 2
// when none does.
inline constexpr Field kPenalty{21, 2};
// Spanning draws (games without wild cards): kAnySuits takes in every suited family under
// "flush" and every suit under "straight"; kSfType sorts three to a straight flush by whether it
// holds as many high cards as gaps (1) or fewer (2), and kEdgeSaid says the words tell the draws
// at the ace end apart (kEdge).
inline constexpr Field kAnySuits{25, 1};
inline constexpr Field kSfType{26, 2};
inline constexpr Field kEdgeSaid{28, 1};
// Four to a straight in any suits with kHigh high cards or more.
inline constexpr Field kOrMore{29, 1};
inline constexpr Field kAnyGaps{34, 1};
// Deuces wild draws at an end: one more than the straights natural cards can fill (0: not told).
// Four natural cards to a straight, any gaps, it is 2 for those natural cards can fill (not
// A-3-4-5).
inline constexpr Field kWays{49, 3};
// Deuces wild, two cards to a royal flush by their highest card: 1 an ace, 2 a king, 3 a queen or
// a jack, 4 a king, queen or jack (no ace); 0 where not told.
inline constexpr Field kRoyalTop{52, 3};
// Deuces wild, straight-flush draws with deuces, of any gaps (the bits of kRoyalTop, which only
// royal draws use): 1 where a straight that holds them needs a two (highest card 6 or lower,
// the ace low), 2 where none does (highest card 7 or higher); 0 where not told.
inline constexpr Field kLowEnd{52, 2};
// Deuces wild, three or four of a kind made with or without deuces: the held cards are all one
// rank or deuces (kTop holds how many cards that is); for draws, three or four cards to a royal
// or a straight flush with or without deuces (kHeld holds how many, kWild is 0).
inline constexpr Field kAnyDeuces{55, 1};
// Deuces wild, made hands: set on a row that pays at least the least five of a kind, and on the
// pattern of all such rows ("five of a kind or better").
inline constexpr Field kFiveOrBetter{49, 1};
inline constexpr Field kAnyHigh{35, 1};
// Rank masks: the named ranks of a draw, the rank group of a set.
inline constexpr Field kRanks{36, 13};
// Made hands of the joker games (joker_draws.h): the floors a hand of all five cards reaches, one
// bit each for a straight, a flush, a full house and a straight flush. A row's key carries the
// floors its hand reaches; a floor's own key, without a row, takes in every hand that reaches it.
inline constexpr Field kFloors{56, 4};
// Two to a royal beside the joker: 1 without the ace, 2 with it, 0 where the pattern does not tell.
// Beside it the flush penalty (kPenalty) may be said too.
inline constexpr Field kRoyalAce{60, 2};
// One card below the ten beside the joker: 1 where the pattern says so.
inline constexpr Field kSpot{62, 1};
// A card kept alone in a joker game where no pair pays: one more than the straights through it
// that none of the discards block (lone_cards.h); 0 where not told. So too, on two suited cards
// by their straight flushes, the straights that hold both (straight_flush_ways.h). The bits of
// kRoyalTop and kLowEnd, which only deuces wild uses.
inline constexpr Field kClear{52, 3};
// Beside kClear on a card kept alone: 1 where the card has that many clear straights or more.
inline constexpr Field kClearOrMore{32, 1};
// In joker games where no pair pays two deuces-wild fields serve the joker too: kWays, on a
// straight-flush draw of any gaps, is one more than the straight flushes it lies in
// (straight_flush_ways.h), and kAnyDeuces marks three or four of a kind, or three or four to a
// royal or a straight flush, natural or with the joker (joker_sets.h).
// A lone low card beside the joker: 1 where it is the deal's low card with the most open
// straights (open_straights.h).
inline constexpr Field kMostOpen{63, 1};
// Three to a straight flush in a joker game where a pair pays: 1 where it has fewer than two gaps
// or a high card (straight_flush_gaps.h).
inline constexpr Field kNotBare{30, 1};
// The joker beside three low cards in a row, mixed suits, in a joker game where a pair pays: 1
// where they are not the run just below the high cards (top_runs.h).
inline constexpr Field kNotTopRun{31, 1};

// Whether high cards tell draws of this family apart: wherever pairs pay, except in four to a
// royal.
bool counts_high(Family family, int held, const RankProfile& profile);

constexpr PatternKey put(Field f, unsigned value) {
    return PatternKey{value & ((1u << f.bits) - 1)} << f.shift;
}
constexpr unsigned get(PatternKey key, Field f) {
    return static_cast<unsigned>(key >> f.shift) & ((1u << f.bits) - 1);
}
// Every bit of field f, to clear it from a key.
constexpr PatternKey field_bits(Field f) {
    return put(f, ~0u);
}
// The pattern a line that leaves out field f's distinction takes in, where `key` makes it; none
// where it does not.
inline HoldPatterns without(PatternKey key, Field f) {
    HoldPatterns out;
    if (get(key, f) != 0) {
        out.push(key & ~field_bits(f));
    }
    return out;
}
constexpr Kind kind_of(PatternKey key) {
    return static_cast<Kind>(get(key, kKind));
}
constexpr Family family_of(PatternKey key) {
    return static_cast<Family>(get(key, kFamily));
}

}  // namespace quillon::odds::pattern_key

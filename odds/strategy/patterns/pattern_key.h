#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "odds/strategy/patterns/hold_pattern.h"

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

// Where a field of the key means something: the games it applies in, the kinds of key that carry
// it and, for draws, the families. Two fields may share bits only where these keep them apart.
enum Games : unsigned {
    kNoWild = 1,
    kDeucesWild = 2,
    kJokerPairs = 4,    // the joker, and some pair pays
    kJokerNoPairs = 8,  // the joker, and no pair pays
    kJokerGames = kJokerPairs | kJokerNoPairs,
    kAnyGame = 15,
};
constexpr unsigned kind_bit(Kind kind) {
    return 1u << static_cast<unsigned>(kind);
}
constexpr unsigned family_bit(Family family) {
    return 1u << static_cast<unsigned>(family);
}
inline constexpr unsigned kAnyKind = 31;
inline constexpr unsigned kSetsAndMade = kind_bit(Kind::sets) | kind_bit(Kind::made_five);
inline constexpr unsigned kDraws = kind_bit(Kind::draw);
inline constexpr unsigned kAnyFamily = 31;
inline constexpr unsigned kSuitedFamilies =
    family_bit(Family::royal) | family_bit(Family::straight_flush) | family_bit(Family::flush);

// One field of the key: its bits and where it applies. `owner` names the distinction that sets
// it, "pattern" for the fields every hold's pattern has.
struct FieldRow {
    std::string_view name;
    unsigned shift;
    unsigned bits;
    std::string_view owner;
    unsigned games = kAnyGame;
    unsigned kinds = kAnyKind;
    unsigned families = kAnyFamily;
};

// Every field of the key. A new distinction's field is one row here: its name, where its bits
// go and where it applies; the table test checks it against the fields that can apply beside it.
// Bit 33 is free.
inline constexpr std::array kFieldTable = {
    FieldRow{"kind", 0, 3, "pattern"},
    FieldRow{"held", 3, 3, "pattern"},
    FieldRow{"wild", 6, 3, "pattern"},
    // Sets and made hands.
    FieldRow{"top", 9, 3, "pattern", kAnyGame, kSetsAndMade},
    FieldRow{"second", 12, 3, "pattern", kAnyGame, kSetsAndMade},
    FieldRow{"kickers", 15, 3, "pattern", kAnyGame, kSetsAndMade},
    FieldRow{"row", 18, 5, "pattern", kAnyGame, kSetsAndMade},
    FieldRow{"kicker pays", 23, 2, "pattern", kAnyGame, kSetsAndMade},
    // Draws.
    FieldRow{"family", 9, 3, "pattern", kAnyGame, kDraws},
    FieldRow{"gaps", 12, 3, "pattern", kAnyGame, kDraws},
    FieldRow{"edge", 15, 1, "pattern", kAnyGame, kDraws},
    FieldRow{"high", 16, 3, "pattern", kAnyGame, kDraws},
    FieldRow{"suited", 19, 1, "pattern", kAnyGame, kDraws},
    FieldRow{"named", 20, 1, "pattern", kAnyGame, kDraws},
    FieldRow{"penalty", 21, 2, "pattern", kAnyGame, kDraws},
    FieldRow{"any gaps", 34, 1, "pattern", kAnyGame, kDraws},
    FieldRow{"any high", 35, 1, "pattern", kAnyGame, kDraws},
    FieldRow{"ranks", 36, 13, "pattern", kAnyGame, kSetsAndMade | kDraws},
    FieldRow{"any suits", 25, 1, "spanning patterns", kNoWild, kDraws},
    FieldRow{"sf type", 26, 2, "spanning patterns", kNoWild, kDraws},
    FieldRow{"edge said", 28, 1, "spanning patterns", kNoWild, kDraws},
    FieldRow{"or more", 29, 1, "spanning patterns", kNoWild, kDraws},
    FieldRow{"not bare", 30, 1, "straight flush gaps", kJokerPairs, kDraws,
             family_bit(Family::straight_flush)},
    FieldRow{"not top run", 31, 1, "top runs", kJokerPairs, kDraws, family_bit(Family::straight)},
    FieldRow{"clear or more", 32, 1, "lone cards", kJokerNoPairs, kDraws,
             family_bit(Family::plain)},
    FieldRow{"ways", 49, 3, "deuces, joker draws, straight flush ways", kDeucesWild | kJokerGames,
             kDraws, family_bit(Family::straight_flush) | family_bit(Family::straight)},
    FieldRow{"five or better", 49, 1, "deuces", kDeucesWild, kind_bit(Kind::made_five)},
    FieldRow{"royal top", 52, 3, "deuces", kDeucesWild, kDraws, family_bit(Family::royal)},
    FieldRow{"low end", 52, 2, "deuces", kDeucesWild, kDraws, family_bit(Family::straight_flush)},
    FieldRow{"clear", 52, 3, "lone cards, straight flush ways", kJokerNoPairs, kDraws,
             family_bit(Family::plain) | family_bit(Family::straight_flush)},
    FieldRow{"any deuces", 55, 1, "deuces, joker sets", kDeucesWild | kJokerNoPairs,
             kSetsAndMade | kDraws},
    FieldRow{"floors", 56, 4, "joker draws", kJokerGames, kind_bit(Kind::made_five)},
    FieldRow{"royal ace", 60, 2, "joker draws, ace royals", kJokerGames, kDraws,
             family_bit(Family::royal)},
    FieldRow{"spot", 62, 1, "joker draws", kJokerGames, kDraws, family_bit(Family::plain)},
    FieldRow{"most open", 63, 1, "open straights", kJokerPairs, kDraws, family_bit(Family::plain)},
};

struct Field {
    unsigned shift;
    unsigned bits;
};

// The field of the table row of that name; a name the table lacks does not compile.
consteval Field field(std::string_view name) {
    for (const FieldRow& row : kFieldTable) {
        if (row.name == name) {
            return Field{row.shift, row.bits};
        }
    }
    throw "no field of that name";
}

inline constexpr Field kKind = field("kind");
inline constexpr Field kHeld = field("held");
inline constexpr Field kWild = field("wild");
// Sets and made hands.
inline constexpr Field kTop = field("top");
inline constexpr Field kSecond = field("second");
inline constexpr Field kKickers = field("kickers");
inline constexpr Field kRow = field("row");
// Where the game pays four of the set's rank more beside some kickers: 1 when a held kicker is
// one of them, 2 when none is, 0 where the pattern does not tell.
inline constexpr Field kKickerPays = field("kicker pays");
// Draws.
inline constexpr Field kFamily = field("family");
inline constexpr Field kGaps = field("gaps");
inline constexpr Field kEdge = field("edge");
inline constexpr Field kHigh = field("high");
inline constexpr Field kSuited = field("suited");
inline constexpr Field kNamed = field("named");
// Named draws of two or three suited cards: 1 when a discard of their suit spoils the flush, 2
// when none does.
inline constexpr Field kPenalty = field("penalty");
// Spanning draws (games without wild cards): kAnySuits takes in every suited family under
// "flush" and every suit under "straight"; kSfType sorts three to a straight flush by whether it
// holds as many high cards as gaps (1) or fewer (2), and kEdgeSaid says the words tell the draws
// at the ace end apart (kEdge).
inline constexpr Field kAnySuits = field("any suits");
inline constexpr Field kSfType = field("sf type");
inline constexpr Field kEdgeSaid = field("edge said");
// Four to a straight in any suits with kHigh high cards or more.
inline constexpr Field kOrMore = field("or more");
inline constexpr Field kAnyGaps = field("any gaps");
// Deuces wild draws at an end: one more than the straights natural cards can fill (0: not told).
// Four natural cards to a straight, any gaps, it is 2 for those natural cards can fill (not
// A-3-4-5).
inline constexpr Field kWays = field("ways");
// Deuces wild, two cards to a royal flush by their highest card: 1 an ace, 2 a king, 3 a queen or
// a jack, 4 a king, queen or jack (no ace); 0 where not told.
inline constexpr Field kRoyalTop = field("royal top");
// Deuces wild, straight-flush draws with deuces, of any gaps (the bits of kRoyalTop, which only
// royal draws use): 1 where a straight that holds them needs a two (highest card 6 or lower,
// the ace low), 2 where none does (highest card 7 or higher); 0 where not told.
inline constexpr Field kLowEnd = field("low end");
// Deuces wild, three or four of a kind made with or without deuces: the held cards are all one
// rank or deuces (kTop holds how many cards that is); for draws, three or four cards to a royal
// or a straight flush with or without deuces (kHeld holds how many, kWild is 0).
inline constexpr Field kAnyDeuces = field("any deuces");
// Deuces wild, made hands: set on a row that pays at least the least five of a kind, and on the
// pattern of all such rows ("five of a kind or better").
inline constexpr Field kFiveOrBetter = field("five or better");
inline constexpr Field kAnyHigh = field("any high");
// Rank masks: the named ranks of a draw, the rank group of a set.
inline constexpr Field kRanks = field("ranks");
// Made hands of the joker games (joker_draws.h): the floors a hand of all five cards reaches, one
// bit each for a straight, a flush, a full house and a straight flush. A row's key carries the
// floors its hand reaches; a floor's own key, without a row, takes in every hand that reaches it.
inline constexpr Field kFloors = field("floors");
// Two to a royal beside the joker: 1 without the ace, 2 with it, 0 where the pattern does not tell.
// Beside it the flush penalty (kPenalty) may be said too.
inline constexpr Field kRoyalAce = field("royal ace");
// One card below the ten beside the joker: 1 where the pattern says so.
inline constexpr Field kSpot = field("spot");
// A card kept alone in a joker game where no pair pays: one more than the straights through it
// that none of the discards block (lone_cards.h); 0 where not told. So too, on two suited cards
// by their straight flushes, the straights that hold both (straight_flush_ways.h). The bits of
// kRoyalTop and kLowEnd, which only deuces wild uses.
inline constexpr Field kClear = field("clear");
// Beside kClear on a card kept alone: 1 where the card has that many clear straights or more.
inline constexpr Field kClearOrMore = field("clear or more");
// In joker games where no pair pays two deuces-wild fields serve the joker too: kWays, on a
// straight-flush draw of any gaps, is one more than the straight flushes it lies in
// (straight_flush_ways.h), and kAnyDeuces marks three or four of a kind, or three or four to a
// royal or a straight flush, natural or with the joker (joker_sets.h).
// A lone low card beside the joker: 1 where it is the deal's low card with the most open
// straights (open_straights.h).
inline constexpr Field kMostOpen = field("most open");
// Three to a straight flush in a joker game where a pair pays: 1 where it has fewer than two gaps
// or a high card (straight_flush_gaps.h).
inline constexpr Field kNotBare = field("not bare");
// The joker beside three low cards in a row, mixed suits, in a joker game where a pair pays: 1
// where they are not the run just below the high cards (top_runs.h).
inline constexpr Field kNotTopRun = field("not top run");

// The games a profile's game is among (one bit of Games).
constexpr unsigned games_of(const RankProfile& profile) {
    if (!profile.wild_cards) {
        return kNoWild;
    }
    if (!profile.joker) {
        return kDeucesWild;
    }
    return profile.pairs_pay ? kJokerPairs : kJokerNoPairs;
}

// The type of three to a straight flush (kSfType): 1 with as many high cards as gaps or more, 2
// with fewer.
constexpr unsigned sf_type(int high, int gaps) {
    return high >= gaps ? 1 : 2;
}

// Whether high cards tell draws of this family apart: wherever pairs pay, except in four to a
// royal.
bool counts_high(Family family, int held, const RankProfile& profile);
// Whether two or three suited royal cards (`ranks`, a rank mask) kept without a wild card are
// told apart by the ace: in the joker games where the ace is a high card, for the draws whose
// count of high cards is found both with the ace and without it.
bool ace_tells_royal(const RankProfile& profile, unsigned ranks, int wild);

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
// The words of a draw's flush penalty: ", flush penalty", ", no flush penalty", or nothing where
// the pattern does not tell.
constexpr std::string_view penalty_text(PatternKey key) {
    switch (get(key, kPenalty)) {
        case 1:
            return ", flush penalty";
        case 2:
            return ", no flush penalty";
        default:
            return "";
    }
}
constexpr Kind kind_of(PatternKey key) {
    return static_cast<Kind>(get(key, kKind));
}
constexpr Family family_of(PatternKey key) {
    return static_cast<Family>(get(key, kFamily));
}

}  // namespace quillon::odds::pattern_key

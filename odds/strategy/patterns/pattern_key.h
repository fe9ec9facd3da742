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

// Every field of the key: those every hold's pattern has, then those the distinctions bring, in
// their rows of the registry (words/registry.def). A new distinction's field is one row there: its
// name, where its bits go and where it applies; the table test checks it against the fields that
// can apply beside it.
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
#define FIELD(constant, ...) FieldRow{__VA_ARGS__},
#define DISTINCTION(file, name, ...) __VA_ARGS__
#include "odds/strategy/words/registry.def"
#undef DISTINCTION
#undef FIELD
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
inline constexpr Field kAnyGaps = field("any gaps");
inline constexpr Field kAnyHigh = field("any high");
// Rank masks: the named ranks of a draw, the rank group of a set.
inline constexpr Field kRanks = field("ranks");
// The fields of the distinctions, each described in its row.
#define FIELD(constant, name, ...) inline constexpr Field constant = field(name);
#define DISTINCTION(file, name, ...) __VA_ARGS__
#include "odds/strategy/words/registry.def"
#undef DISTINCTION
#undef FIELD

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
// The words field f's value in `key` names: words[value], nothing for a value past the list.
template <std::size_t N>
constexpr std::string_view value_words(PatternKey key, Field f,
                                       const std::string_view (&words)[N]) {
    const unsigned value = get(key, f);
    return value < N ? words[value] : std::string_view();
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
    return value_words(key, kPenalty, {"", ", flush penalty", ", no flush penalty"});
}
constexpr Kind kind_of(PatternKey key) {
    return static_cast<Kind>(get(key, kKind));
}
constexpr Family family_of(PatternKey key) {
    return static_cast<Family>(get(key, kFamily));
}

}  // namespace quillon::odds::pattern_key

#include <array>
#include <bit>
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

using namespace pattern_key;

namespace {

constexpr unsigned kNaturals = 0x1ffeu;

// Whether the draws at an end of `k` natural cards and these gaps fill different numbers of
// straights with natural cards (for straight flushes, leaving out the royal's cards): only
// then do the ways tell them apart.
struct EdgeWays {
    // [straight flush][k][gaps]
    std::array<std::array<std::array<bool, 8>, 5>, 2> vary{};

    EdgeWays() {
        std::array<std::array<std::array<unsigned, 8>, 5>, 2> seen{};
        for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
            const int k = std::popcount(mask);
            const StraightFit fit = straight_fit(mask, kNaturals);
            if ((mask & ~kNaturals) != 0 || k > 4 || fit.fits == 0 || !fit.edge) {
                continue;
            }
            const auto gaps = static_cast<std::size_t>(fit.span - k);
            const bool royal = (mask & ((1u << kTen) - 1)) == 0;
            for (std::size_t flush = 0; flush < 2; ++flush) {
                if (flush == 0 || !royal) {
                    seen[flush][static_cast<std::size_t>(k)][gaps] |= 1u << fit.ways;
                }
            }
        }
        for (std::size_t flush = 0; flush < 2; ++flush) {
            for (std::size_t k = 0; k < 5; ++k) {
                for (std::size_t g = 0; g < 8; ++g) {
                    vary[flush][k][g] = std::popcount(seen[flush][k][g]) > 1;
                }
            }
        }
    }
};

// Whether the straights that hold these ranks include one that needs a two: all of them lie
// in A-5 or in 2-6.
bool low_end(unsigned ranks) {
    constexpr unsigned kWheel = 1u << kAce | 0b1110u;
    constexpr unsigned kSixHigh = 0b11110u;
    return (ranks & ~kWheel) == 0 || (ranks & ~kSixHigh) == 0;
}

// Whether the game's twos are wild.
bool plays_deuces(const RankProfile& profile) {
    return (profile.naturals & 1u) == 0;
}

// The finer pattern of a straight-flush draw, or of four natural cards to a straight, whose
// gaps key is `gaps_key`: the draws at an end told apart by how many straights natural cards
// fill (kWays), and four to an inside straight told from A-3-4-5, which only a deuce fills.
// 0 where the draw has no finer pattern.
PatternKey ways_key(PatternKey gaps_key, Family family, int naturals, int wild,
                    const StraightFit& fit, const RankProfile& profile) {
    if (!plays_deuces(profile) ||
        (family != Family::straight_flush && family != Family::straight)) {
        return 0;
    }
    const bool four_straight = family == Family::straight && naturals == 4 && wild == 0;
    if (family == Family::straight && !four_straight) {
        // Shorter straight draws of mixed suits are not worth a finer line.
        return 0;
    }
    // Four to an outside straight has both its ways; away from the ends every straight that
    // reaches a draw is filled by natural cards too.
    static const EdgeWays edges;
    const bool split =
        four_straight
            ? get(gaps_key, kGaps) != 0
            : fit.edge &&
                  edges.vary[family == Family::straight_flush ? 1 : 0][static_cast<std::size_t>(
                      naturals)][static_cast<std::size_t>(fit.span - naturals)];
    return split ? gaps_key | put(kWays, static_cast<unsigned>(fit.ways) + 1) : 0;
}

// The groups of draws deuces players name, coarser than the draw's gaps and finer than its
// family: four to a straight that natural cards fill (not A-3-4-5), straight-flush draws with
// deuces or of three natural cards by whether a straight that holds them needs a two (three
// natural cards at the low end play below four to a straight, the others above it), and two to
// a royal flush by its highest card. `family_key` is the draw's family with any gaps.
HoldPatterns group_keys(PatternKey family_key, Family family, int naturals, int wild,
                        unsigned ranks, const StraightFit& fit, const RankProfile& profile) {
    HoldPatterns out;
    if (!plays_deuces(profile)) {
        return out;
    }
    if (family == Family::straight && naturals == 4 && wild == 0 && fit.ways > 0) {
        out.push(family_key | put(kWays, 2));
    }
    if (family == Family::straight_flush && (wild > 0 || naturals == 3)) {
        out.push(family_key | put(kLowEnd, low_end(ranks) ? 1 : 2));
    }
    if (family == Family::royal && naturals == 2 && wild <= 1) {
        const unsigned top = (ranks >> kAce & 1u) != 0         ? 1
                             : (ranks >> (kAce - 1) & 1u) != 0 ? 2
                                                               : 3;
        out.push(family_key | put(kRoyalTop, top));
        if (top != 1) {
            out.push(family_key | put(kRoyalTop, 4));
        }
    }
    return out;
}

// Three or four of a kind natural or with deuces, where `held` cards of one natural rank
// (`distinct_ranks` of them) and deuces are all the hold keeps; 0 for other holds.
PatternKey any_deuces_key(int held, int naturals, int distinct_ranks, const RankProfile& profile) {
    if (!plays_deuces(profile) || naturals == 0 || distinct_ranks != 1 ||
        (held != 3 && held != 4)) {
        return 0;
    }
    const auto n = static_cast<unsigned>(held);
    return put(kKind, static_cast<unsigned>(Kind::sets)) | put(kHeld, n) | put(kTop, n) |
           put(kAnyDeuces, 1);
}

// Whether a row of a deuces wild game pays at least the least five of a kind.
bool five_or_better(const Game& game, std::size_t row) {
    if (!game.deuces_wild()) {
        return false;
    }
    std::int64_t least = -1;
    for (int r = 0; r < kRankCount; ++r) {
        if ((kNaturals >> r & 1u) != 0) {
            const std::int64_t pay = game.pay(game.row_of(five_of(r)));
            least = least < 0 || pay < least ? pay : least;
        }
    }
    return game.pay(row) >= least;
}

// Where a deuces wild game pays five of a kind by rank, sets are told apart by the ranks whose
// five pays alike: "pair (aces)", "three threes to fives".
void group_by_fives(const Game& game, RankProfile& profile) {
    if (!game.deuces_wild() || profile.quads_vary) {
        return;
    }
    std::array<std::size_t, kRankCount> row{};
    for (int r = 0; r < kRankCount; ++r) {
        row[static_cast<std::size_t>(r)] = game.row_of(five_of(r));
    }
    bool vary = false;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        vary = vary || ((kNaturals >> r & 1u) != 0 && row[r] != row[kAce]);
    }
    if (!vary) {
        return;
    }
    for (std::size_t i = 0; i < kRankCount; ++i) {
        for (std::size_t j = 0; j < kRankCount; ++j) {
            const bool alike = (kNaturals >> j & 1u) != 0 && row[i] == row[j];
            profile.set_group[i] |= alike ? 1u << j : 0u;
            profile.pair_group[i] |= alike ? 1u << j : 0u;
        }
    }
}

// Three or four cards to a royal or a straight flush, natural or with deuces: natural cards of
// one suit (any one card is) that fit a straight, beside any deuces; 0 for other holds.
PatternKey any_flush_key(int held, int naturals, bool suited, unsigned ranks,
                         const StraightFit& fit, const RankProfile& profile) {
    if (!plays_deuces(profile) || naturals == 0 || !suited || fit.fits == 0 ||
        (held != 3 && held != 4)) {
        return 0;
    }
    const bool royal = (ranks & ((1u << kTen) - 1)) == 0;
    const Family family = royal ? Family::royal : Family::straight_flush;
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, static_cast<unsigned>(held)) |
           put(kSuited, 1) | put(kFamily, static_cast<unsigned>(family)) | put(kAnyGaps, 1) |
           put(kAnyDeuces, 1);
}

// "four of a kind, natural or with deuces".
std::string any_deuces_text(PatternKey key, const RankProfile& profile) {
    return std::string(get(key, kHeld) == 4 ? "four of a kind" : "three of a kind") +
           ", natural or with " + profile.wild_any;
}

// Made hands: a row of five of a kind or better, then all those rows, then any paying hand.
bool made_coarser(PatternKey key, HoldPatterns& out) {
    if (get(key, kFiveOrBetter) == 0) {
        return false;
    }
    if (get(key, kRow) != kNoRow) {
        out.push(key | put(kRow, kNoRow));
    }
    out.push((key | put(kRow, kNoRow)) & ~put(kFiveOrBetter, 1));
    return true;
}

// Sets of one rank and nothing else are three or four of a kind, natural or with deuces.
void sets_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    const int held = static_cast<int>(get(key, kHeld));
    const int wild = static_cast<int>(get(key, kWild));
    const bool one_rank = get(key, kSecond) == 0 && get(key, kKickers) == 0;
    if (get(key, kAnyDeuces) == 0 && one_rank) {
        if (const PatternKey any = any_deuces_key(held, held - wild, 1, profile); any != 0) {
            out.push(any);
        }
    }
}

bool draw_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (get(key, kAnyDeuces) != 0) {
        return true;
    }
    const int held = static_cast<int>(get(key, kHeld));
    const int wild = static_cast<int>(get(key, kWild));
    const Family family = family_of(key);
    if ((family == Family::royal || family == Family::straight_flush) && (held == 3 || held == 4)) {
        out.push(put(kKind, static_cast<unsigned>(Kind::draw)) |
                 put(kHeld, static_cast<unsigned>(held)) | put(kSuited, 1) |
                 put(kFamily, static_cast<unsigned>(family)) | put(kAnyGaps, 1) |
                 put(kAnyDeuces, 1));
    }
    if (family == Family::plain && held - wild == 1) {
        // One card beside two or three deuces is three or four of a kind with deuces.
        if (const PatternKey any = any_deuces_key(held, 1, 1, profile); any != 0) {
            out.push(any);
        }
    }
    if (family == Family::straight_flush && (wild > 0 || held == 3)) {
        if (get(key, kAnyGaps) != 0) {
            if (get(key, kLowEnd) != 0) {
                out.push(key & ~put(kLowEnd, 3));
            }
            return true;
        }
        // At the low end where its gaps say the draw sits at an end (kEdge).
        const PatternKey any =
            (key & ~put(kGaps, 7) & ~put(kEdge, 1) & ~put(kWays, 7)) | put(kAnyGaps, 1);
        out.push(any | put(kLowEnd, get(key, kEdge) != 0 ? 1 : 2));
        return false;
    }
    if (const unsigned top = get(key, kRoyalTop); top != 0) {
        if (top == 2 || top == 3) {
            out.push((key & ~put(kRoyalTop, 7)) | put(kRoyalTop, 4));
        }
        out.push(key & ~put(kRoyalTop, 7));
        return true;
    }
    if (family != Family::straight || wild != 0 || held != 4) {
        return false;
    }
    const PatternKey any = (key & ~put(kGaps, 7) & ~put(kWays, 7)) | put(kAnyGaps, 1);
    if (get(key, kAnyGaps) != 0) {
        if (get(key, kWays) != 0) {
            out.push(any);
        }
        return true;
    }
    // Outside, or inside that natural cards fill: both are four to a straight but A-3-4-5.
    if (get(key, kGaps) == 0 || get(key, kWays) == 2) {
        out.push(any | put(kWays, 2));
    }
    return false;
}

// Adds the coarser patterns the deuces distinctions give a pattern to `out`; true when they are
// all there, false when the pattern's other coarser patterns are still to come.
bool add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (!plays_deuces(profile)) {
        return false;
    }
    switch (kind_of(key)) {
        case Kind::made_five:
            return made_coarser(key, out);
        case Kind::sets:
            sets_coarser(key, profile, out);
            return false;
        case Kind::draw:
            // Named draws take their coarser patterns from their ranks.
            return get(key, kNamed) == 0 && draw_coarser(key, profile, out);
        default:
            return false;
    }
}

// The words a group key adds to its family's: ", ace high", ", no ace", ", highest card 7 or
// higher"; empty for other keys.
std::string group_text(PatternKey key) {
    if (family_of(key) == Family::straight_flush) {
        return std::string(value_words(
            key, kLowEnd,
            {"", ", highest card 6 or lower, the ace low", ", highest card 7 or higher"}));
    }
    return std::string(value_words(
        key, kRoyalTop, {"", ", ace high", ", king high", ", queen or jack high", ", no ace"}));
}

// "4 to an outside straight, not 3-4-5-6", "4 to an inside straight or 3-4-5-6, not A-3-4-5":
// four natural cards to a straight in deuces wild, before their suits.
std::string four_straight_text(PatternKey key) {
    if (get(key, kAnyGaps) != 0) {
        return get(key, kWays) == 2 ? "4 to a straight, not A-3-4-5" : "4 to a straight";
    }
    if (get(key, kGaps) == 0) {
        return "4 to an outside straight, not 3-4-5-6";
    }
    const std::string inside = "4 to an inside straight or 3-4-5-6";
    switch (get(key, kWays)) {
        case 1:
            return "4 to an inside straight, A-3-4-5";
        case 2:
            return inside + ", not A-3-4-5";
        default:
            return inside;
    }
}

class Deuces final : public Registered<Deuces> {
  public:
    Deuces() : Registered("deuces", kDeucesWild) {}
    void adjust_profile(const Game& game, RankProfile& profile) const override {
        group_by_fives(game, profile);
        profile.groups_need_paying_kickers = true;
    }
    bool add_draw(DrawStage stage, const DrawView& v, PatternKey stem,
                  HoldPatterns& out) const override {
        switch (stage) {
            case DrawStage::gaps:
                if (const PatternKey ways =
                        ways_key(stem, v.family, v.naturals, v.wild, v.fit, v.profile);
                    ways != 0) {
                    out.push(ways);
                }
                break;
            case DrawStage::any_gaps:
                for (const PatternKey group :
                     group_keys(stem, v.family, v.naturals, v.wild, v.ranks, v.fit, v.profile)) {
                    out.push(group);
                }
                break;
            case DrawStage::coarsest: {
                const bool suited = get(v.base, kSuited) != 0;
                for (const PatternKey any :
                     {any_deuces_key(v.held, v.naturals, v.naturals, v.profile),
                      any_flush_key(v.held, v.naturals, v.naturals == 1 || suited, v.ranks, v.fit,
                                    v.profile)}) {
                    if (any != 0) {
                        out.push(any);
                    }
                }
                break;
            }
        }
        return false;
    }
    std::string whole_words(PatternKey key, const Game&,
                            const RankProfile& profile) const override {
        if (kind_of(key) == Kind::sets && get(key, kAnyDeuces) != 0) {
            return any_deuces_text(key, profile);
        }
        const bool five = kind_of(key) == Kind::made_five && get(key, kRow) == kNoRow &&
                          get(key, kFiveOrBetter) != 0;
        return five ? "five of a kind or better, all five cards" : std::string{};
    }
    std::string draw_name(PatternKey key, const RankProfile&) const override {
        const bool four =
            family_of(key) == Family::straight && get(key, kWild) == 0 && get(key, kHeld) == 4;
        return four ? four_straight_text(key) : std::string{};
    }
    // A group's words, and "natural or with deuces" (or whatever the wild cards are).
    std::string draw_words(PatternKey key, const RankProfile& profile) const override {
        const bool suited =
            family_of(key) == Family::royal || family_of(key) == Family::straight_flush;
        std::string text = suited ? group_text(key) : std::string{};
        return get(key, kAnyDeuces) != 0 ? text + ", natural or with " + profile.wild_any : text;
    }
    void add_set(int held, int naturals, bool one_rank, const RankProfile& profile,
                 HoldPatterns& out) const override {
        if (const PatternKey any = any_deuces_key(held, naturals, one_rank ? 1 : 2, profile);
            any != 0) {
            out.push(any);
        }
    }
    void refine_made(const Game& game, std::size_t row, HoldPatterns& out) const override {
        if (five_or_better(game, row)) {
            const PatternKey five = out.keys[0] | put(kFiveOrBetter, 1);
            out = {};
            out.push(five);
            out.push(five | put(kRow, kNoRow));
        }
    }
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        return stage == CoarserStage::first && deuces_patterns::add_coarser(key, profile, out);
    }
};

}  // namespace

const Distinction& distinction() {
    return Deuces::instance();
}

}  // namespace quillon::odds::deuces_patterns

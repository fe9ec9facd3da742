#include <string_view>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Three to a straight flush in the joker games where a pair pays, with the joker or without:
// those with two gaps and no high card reach one straight flush and no paying pair of their own,
// and rank well below the rest (below three of a kind with the joker, below four to an outside
// straight without it). "3 to a straight flush, not a royal, not 2 gaps with no high card" takes
// in the rest in one line.
namespace quillon::odds::straight_flush_gaps {

using namespace pattern_key;

namespace {

// Adds the pattern to a draw's patterns (`draws`, finest first), just before the family alone
// ("3 to a straight flush, not a royal"), where the draw is three natural cards to a straight
// flush of a joker game where a pair pays, with fewer than two gaps or a high card.
HoldPatterns add_not_bare(const HoldPatterns& draws, Family family, int naturals, int gaps,
                          int high, const RankProfile& profile) {
    if (!profile.joker || !profile.pairs_pay || family != Family::straight_flush || naturals != 3 ||
        (gaps >= 2 && high == 0)) {
        return draws;
    }
    // The family alone: any gaps, any high cards, nothing named.
    return marked_before(draws, put(kNotBare, 1), [](PatternKey key) {
        return get(key, kAnyGaps) != 0 && get(key, kAnyHigh) != 0 && get(key, kNamed) == 0 &&
               get(key, kHigh) == 0 && get(key, kNotBare) == 0;
    });
}

// This file's pattern where it takes in every hold of a finer draw's pattern that tells its gaps
// or high cards ("3 to a straight flush, not a royal, 1 high card"); 0 for any other pattern.
PatternKey parent(PatternKey key, const RankProfile& profile) {
    if (!profile.joker || !profile.pairs_pay || kind_of(key) != Kind::draw ||
        family_of(key) != Family::straight_flush || get(key, kNamed) != 0 ||
        get(key, kNotBare) != 0 || get(key, kHeld) != get(key, kWild) + 3) {
        return 0;
    }
    const bool few_gaps = get(key, kAnyGaps) == 0 && get(key, kGaps) < 2;
    const bool has_high = get(key, kAnyHigh) == 0 && get(key, kHigh) >= 1;
    if (!few_gaps && !has_high) {
        return 0;
    }
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, get(key, kHeld)) |
           put(kWild, get(key, kWild)) | put(kSuited, 1) |
           put(kFamily, static_cast<unsigned>(Family::straight_flush)) | put(kAnyGaps, 1) |
           put(kAnyHigh, 1) | put(kNotBare, 1);
}

class NotBare final : public Registered<NotBare> {
  public:
    NotBare() : Registered("straight flush gaps", kJokerPairs) {}
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        if (v.family == Family::straight_flush) {
            out =
                add_not_bare(out, v.family, v.naturals, v.fit.span - v.naturals, v.high, v.profile);
        }
        return false;
    }
    // The family alone.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        return without(key, kNotBare);
    }
    // The draw of fewer gaps or a high card, for a draw that has either.
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        if (stage == CoarserStage::last) {
            if (const PatternKey not_bare = parent(key, profile); not_bare != 0) {
                out.push(not_bare);
            }
        }
        return false;
    }
    std::string draw_words(PatternKey key, const RankProfile&) const override {
        return get(key, kNotBare) != 0 ? ", not 2 gaps with no high card" : "";
    }
};

}  // namespace

const Distinction& distinction() {
    return NotBare::instance();
}

}  // namespace quillon::odds::straight_flush_gaps

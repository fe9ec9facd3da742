#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "base/ranks.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// Straight-flush draws of the joker games where no pair pays, by the straight flushes they lie in,
// whatever their gaps: suited 6-7 lies in four (3-7 to 6-10), 6-8 and 3-4 in three, 2-3 in two.
// With one wild card among 53 a draw's worth follows the straight flushes it can make more closely
// than its gaps, so draws of different gaps that lie in as many straight flushes share a line:
// "joker + 2 to a straight flush, not a royal, in 3 straight flushes". Two suited cards may add
// their flush penalty, and after it their clear straights, those that hold both cards and need
// none of the ranks thrown away: "2 to a straight flush, not a royal, in 2 straight flushes, no
// flush penalty, 1 straight clear".
namespace quillon::odds::straight_flush_ways {

using namespace pattern_key;

namespace {

// Where a pair pays, the high cards of a draw tell it apart first.
bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

constexpr PatternKey kGapBits = put(kGaps, 7) | put(kEdge, 1);

// A draw by its straight flushes, of two natural cards, with its flush penalty.
bool takes_clear(PatternKey key) {
    return kind_of(key) == Kind::draw && family_of(key) == Family::straight_flush &&
           get(key, kAnyGaps) != 0 && get(key, kWays) != 0 && get(key, kNamed) == 0 &&
           get(key, kPenalty) != 0 && get(key, kHeld) - get(key, kWild) == 2;
}

// The draw of any gaps `any_gaps` (a straight-flush draw's key with kAnyGaps) by the straight
// flushes it lies in (`fit` of its natural cards), where the game makes the distinction; 0
// elsewhere.
PatternKey ways_key(PatternKey any_gaps, Family family, const StraightFit& fit,
                    const RankProfile& profile) {
    if (!applies(profile) || family != Family::straight_flush || fit.ways == 0) {
        return 0;
    }
    return any_gaps | put(kWays, static_cast<unsigned>(fit.ways) + 1);
}

// Adds to `out` the draw by its straight flushes where a straight-flush draw's key (by its gaps,
// or at the ace end by the straights that reach it) tells how many it lies in.
void add_coarser(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (!applies(profile) || kind_of(key) != Kind::draw ||
        family_of(key) != Family::straight_flush || get(key, kAnyGaps) != 0 ||
        get(key, kAnyHigh) != 0 || get(key, kNamed) != 0) {
        return;
    }
    unsigned ways = get(key, kWays);
    if (ways == 0 && get(key, kEdge) == 0) {
        // Away from the ace end a draw lies in as many straight flushes as its span leaves.
        const unsigned span = get(key, kHeld) - get(key, kWild) + get(key, kGaps);
        ways = span <= 5 ? 6 - span + 1 : 0;
    }
    if (ways != 0) {
        out.push((key & ~kGapBits & ~put(kWays, 7)) | put(kAnyGaps, 1) | put(kWays, ways));
    }
}

// The patterns of `draws` (a hold's patterns, finest first) with each draw by its straight
// flushes of two natural cards, `ranks`, preceded by the same draw with its clear straights, those
// that hold both cards and need none of the discarded ranks `gone`.
HoldPatterns add_clear(const HoldPatterns& draws, unsigned ranks, unsigned gone,
                       const RankProfile& profile) {
    if (!applies(profile) || std::popcount(ranks) != 2) {
        return draws;
    }
    const PatternKey clear = put(kClear, static_cast<unsigned>(clear_straights(ranks, gone)) + 1);
    return marked_before(draws, clear, takes_clear);
}

class StraightFlushWays final : public Registered<StraightFlushWays> {
  public:
    StraightFlushWays() : Registered("straight flush ways", kJokerNoPairs) {}
    bool add_draw(DrawStage stage, const DrawView& v, PatternKey stem,
                  HoldPatterns& out) const override {
        if (stage != DrawStage::any_gaps) {
            return false;
        }
        if (const PatternKey ways = ways_key(stem, v.family, v.fit, v.profile); ways != 0) {
            // Two suited cards by their straight flushes may say their flush penalty as well.
            if (v.penalty != 0 && v.naturals == 2) {
                out.push(ways | put(kPenalty, v.penalty));
            }
            out.push(ways);
        }
        return false;
    }
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        if (stage == CoarserStage::family) {
            straight_flush_ways::add_coarser(key, profile, out);
        }
        return false;
    }
    bool refine_hold(const HoldView& v, HoldPatterns& out) const override {
        if (v.naturals != 2 || v.suits[0] != v.suits[1]) {
            return false;
        }
        // Two suited cards may say the straights the discards leave them.
        unsigned gone = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            if ((v.mask >> i & 1u) == 0 && !is_wild(v.deal[i], v.game)) {
                gone |= 1u << engine_rank(v.deal[i].rank());
            }
        }
        out = add_clear(out, 1u << v.ranks[0] | 1u << v.ranks[1], gone, v.profile);
        return false;
    }
    // The draw without its flush penalty, for a draw by its straight flushes that says one; nothing
    // for other keys.
    HoldPatterns narrows(PatternKey key, const RankProfile& profile) const override {
        if (!applies(profile) || kind_of(key) != Kind::draw ||
            family_of(key) != Family::straight_flush || get(key, kAnyGaps) == 0 ||
            get(key, kWays) == 0 || get(key, kNamed) != 0 || get(key, kPenalty) == 0) {
            return {};
        }
        // By penalty and clear straights, by penalty, then the draw alone.
        HoldPatterns out;
        if (get(key, kClear) != 0) {
            out.push(key & ~field_bits(kClear));
        }
        out.push(key & ~field_bits(kClear) & ~field_bits(kPenalty));
        return out;
    }
    // ", in 3 straight flushes" for a draw by its straight flushes; nothing for other keys.
    std::string draw_words(PatternKey key, const RankProfile& profile) const override {
        if (!applies(profile) || kind_of(key) != Kind::draw ||
            family_of(key) != Family::straight_flush || get(key, kAnyGaps) == 0 ||
            get(key, kWays) == 0) {
            return "";
        }
        const unsigned ways = get(key, kWays) - 1;
        return (ways == 1 ? ", in 1 straight flush"
                          : ", in " + std::to_string(ways) + " straight flushes") +
               std::string(penalty_text(key));
    }
    // Adds to `out` (the game's words) each draw of two natural cards by its straight flushes with
    // every count of clear straights it can have.
    void add_vocabulary(const Game&, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        if (!applies(profile)) {
            return;
        }
        const std::size_t words = out.size();
        for (std::size_t i = 0; i < words; ++i) {
            const PatternKey key = out[i];
            if (!takes_clear(key) || get(key, kClear) != 0) {
                continue;
            }
            // No more straights are clear than the straight flushes the draw lies in.
            for (unsigned clear = 0; clear + 1 <= get(key, kWays); ++clear) {
                add_word(out, key | put(kClear, clear + 1));
            }
        }
    }
};

}  // namespace

const Distinction& distinction() {
    return StraightFlushWays::instance();
}

}  // namespace quillon::odds::straight_flush_ways

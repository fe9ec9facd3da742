#include "odds/strategy/words/ace_royals.h"

#include <bit>

#include "base/ranks.h"
#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds::ace_royals {

using namespace pattern_key;

bool applies(const RankProfile& profile, unsigned ranks, int wild) {
    const int k = std::popcount(ranks);
    if (!profile.joker || !profile.pairs_pay || wild != 0 || !profile.high[kAce] || k < 2 ||
        k > 3) {
        return false;
    }
    int high = 0;
    int other_high = 0;
    for (int r = kTen; r < kRankCount; ++r) {
        const bool is_high = profile.high[static_cast<std::size_t>(r)];
        high += is_high && (ranks >> r & 1u) != 0 ? 1 : 0;
        other_high += is_high && r != kAce ? 1 : 0;
    }
    // Draws of as many high cards both with the ace and without it: enough other high royal
    // ranks to stand in for it, and enough low ones beside it.
    const int low = kRankCount - kTen - 1 - other_high;
    return high >= 1 && other_high >= high && low >= k - high;
}

namespace {

// The draw's patterns (`draws`, finest first) with the draw by whether it holds the ace, and by
// that and its flush penalty (0 where not known), just before the draw by its high cards ("2 to
// a royal flush, 1 high card").
HoldPatterns add_ace(const HoldPatterns& draws, unsigned ranks, unsigned penalty) {
    HoldPatterns out;
    const unsigned ace = (ranks >> kAce & 1u) != 0 ? 2 : 1;
    for (const PatternKey key : draws) {
        // "2 to a royal flush, 1 high card": the family by its high cards, any gaps.
        if (family_of(key) == Family::royal && get(key, kNamed) == 0 && get(key, kAnyGaps) != 0 &&
            get(key, kAnyHigh) == 0) {
            const PatternKey with_ace = key | put(kRoyalAce, ace);
            if (penalty != 0) {
                out.push(with_ace | put(kPenalty, penalty));
            }
            out.push(with_ace);
        }
        out.push(key);
    }
    return out;
}

class AceRoyal final : public Registered<AceRoyal> {
  public:
    AceRoyal() : Registered("ace royals", kJokerPairs) {}
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        if (v.family != Family::royal || !applies(v.profile, v.ranks, v.wild)) {
            return false;
        }
        out = add_ace(out, v.ranks, v.penalty);
        return true;
    }
};

}  // namespace

const Distinction& distinction() {
    return AceRoyal::instance();
}

}  // namespace quillon::odds::ace_royals

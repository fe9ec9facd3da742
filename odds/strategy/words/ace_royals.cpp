#include "odds/strategy/words/ace_royals.h"

#include "base/ranks.h"
#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds::ace_royals {

using namespace pattern_key;

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
        if (v.family != Family::royal || !ace_tells_royal(v.profile, v.ranks, v.wild)) {
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

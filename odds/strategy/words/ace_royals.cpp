#include "base/ranks.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Two or three to a royal flush without the joker, in the joker games where a pair pays: whether
// the high cards among them hold the ace. An ace closes all straights but one, so beside junk
// "suited K-Q" is worth keeping where "suited A-Q" loses to an unsuited K-A or the ace alone,
// and suited 10-J-K is worth more than a pair of kings where J-K-A is not; the words say it as
// "2 to a royal flush, 1 high card, no ace" or ", with the ace", and may add the flush penalty.
namespace quillon::odds::ace_royals {

using namespace pattern_key;

namespace {

// The draw's patterns (`draws`, finest first) with the draw by whether it holds the ace, and by
// that and its flush penalty (0 where not known), just before the draw by its high cards ("2 to
// a royal flush, 1 high card").
HoldPatterns add_ace(const HoldPatterns& draws, unsigned ranks, unsigned penalty) {
    const unsigned ace = (ranks >> kAce & 1u) != 0 ? 2 : 1;
    return each_preceded(draws, [&](PatternKey key, HoldPatterns& out) {
        // "2 to a royal flush, 1 high card": the family by its high cards, any gaps.
        if (family_of(key) == Family::royal && get(key, kNamed) == 0 && get(key, kAnyGaps) != 0 &&
            get(key, kAnyHigh) == 0) {
            const PatternKey with_ace = key | put(kRoyalAce, ace);
            if (penalty != 0) {
                out.push(with_ace | put(kPenalty, penalty));
            }
            out.push(with_ace);
        }
    });
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

#include "odds/strategy/straight_flush_gaps.h"

namespace quillon::odds::straight_flush_gaps {

using namespace pattern_key;

HoldPatterns add_not_bare(const HoldPatterns& draws, Family family, int naturals, int gaps,
                          int high, const RankProfile& profile) {
    if (!profile.joker || !profile.pairs_pay || family != Family::straight_flush || naturals != 3 ||
        (gaps >= 2 && high == 0)) {
        return draws;
    }
    HoldPatterns out;
    for (const PatternKey key : draws) {
        // The family alone: any gaps, any high cards, nothing named.
        if (get(key, kAnyGaps) != 0 && get(key, kAnyHigh) != 0 && get(key, kNamed) == 0 &&
            get(key, kHigh) == 0 && get(key, kNotBare) == 0) {
            out.push(key | put(kNotBare, 1));
        }
        out.push(key);
    }
    return out;
}

HoldPatterns coarser(PatternKey key) {
    HoldPatterns out;
    if (get(key, kNotBare) != 0) {
        out.push(key & ~put(kNotBare, 1));
    }
    return out;
}

std::string_view suffix(PatternKey key) {
    return get(key, kNotBare) != 0 ? ", not 2 gaps with no high card" : std::string_view{};
}

}  // namespace quillon::odds::straight_flush_gaps

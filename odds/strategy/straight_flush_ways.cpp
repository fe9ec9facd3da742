#include "odds/strategy/straight_flush_ways.h"

#include "odds/strategy/pattern_words.h"

namespace quillon::odds::straight_flush_ways {

using namespace pattern_key;

namespace {

// Where a pair pays, the high cards of a draw tell it apart first.
bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

constexpr PatternKey kGapBits = put(kGaps, 7) | put(kEdge, 1);

}  // namespace

PatternKey ways_key(PatternKey any_gaps, Family family, const StraightFit& fit,
                    const RankProfile& profile) {
    if (!applies(profile) || family != Family::straight_flush || fit.ways == 0) {
        return 0;
    }
    return any_gaps | put(kWays, static_cast<unsigned>(fit.ways) + 1);
}

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

HoldPatterns coarser(PatternKey key, const RankProfile& profile) {
    if (!applies(profile) || kind_of(key) != Kind::draw ||
        family_of(key) != Family::straight_flush || get(key, kAnyGaps) == 0 ||
        get(key, kWays) == 0 || get(key, kNamed) != 0) {
        return {};
    }
    return without(key, kPenalty);
}

std::string ways_text(PatternKey key, const RankProfile& profile) {
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

}  // namespace quillon::odds::straight_flush_ways

#include "odds/strategy/spanning_patterns.h"

#include <array>
#include <bit>

#include "odds/ranks.h"
#include "odds/strategy/straight_fit.h"

namespace quillon::odds {

using namespace pattern_key;

namespace {

bool suited_family(Family family) {
    return family == Family::royal || family == Family::straight_flush || family == Family::flush;
}

// "4 to a flush", "3 to a flush": every suited draw of that many cards.
PatternKey any_flush(PatternKey base) {
    return base | put(kSuited, 1) | put(kFamily, static_cast<unsigned>(Family::flush)) |
           put(kAnyGaps, 1) | put(kAnyHigh, 1) | put(kAnySuits, 1);
}

// "4 to an outside straight" or "4 to an inside straight" in any suits.
PatternKey any_straight(PatternKey base, bool outside) {
    return (base & ~put(kSuited, 1)) | put(kFamily, static_cast<unsigned>(Family::straight)) |
           put(kGaps, outside ? 0 : 1) | put(kAnySuits, 1);
}

PatternKey typed(PatternKey base, unsigned type) {
    return base | put(kSuited, 1) | put(kFamily, static_cast<unsigned>(Family::straight_flush)) |
           put(kAnyGaps, 1) | put(kAnyHigh, 1) | put(kSfType, type);
}

void push_typed(PatternKey base, int high, int gaps, bool edge, const RankProfile& profile,
                HoldPatterns& out) {
    const unsigned type = sf_type(high, gaps);
    const PatternKey key = typed(base, type);
    if (sf_type_has_edge(type, profile)) {
        out.push(key | put(kEdgeSaid, 1) | put(kEdge, edge ? 1 : 0));
    }
    out.push(key);
}

// The kind, held and wild fields of a draw key.
PatternKey base_of(PatternKey key) {
    return put(kKind, get(key, kKind)) | put(kHeld, get(key, kHeld)) | put(kWild, get(key, kWild));
}

bool edge_of_type(unsigned type, const RankProfile& profile) {
    for (unsigned mask = 1; mask < (1u << kRankCount); ++mask) {
        if (std::popcount(mask) != 3) {
            continue;
        }
        const StraightFit fit = straight_fit(mask, profile.naturals);
        const bool royal = (mask & ((1u << kTen) - 1)) == 0;
        if (fit.fits == 0 || !fit.edge || royal) {
            continue;
        }
        int high = 0;
        for (int r = 0; r < kRankCount; ++r) {
            high += (mask >> r & 1u) != 0 && profile.high[static_cast<std::size_t>(r)] ? 1 : 0;
        }
        if (sf_type(high, fit.span - 3) == type) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool spans(const RankProfile& profile) {
    return !profile.wild_cards;
}

unsigned sf_type(int high, int gaps) {
    return high >= gaps ? 1 : 2;
}

bool sf_type_has_edge(unsigned type, const RankProfile& profile) {
    // Asked for every hold of every deal: worked out once per set of high cards.
    unsigned high_mask = 0;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        high_mask |= profile.high[r] ? 1u << r : 0u;
    }
    const unsigned id = high_mask | profile.naturals << kRankCount;
    const std::size_t t = type & 3u;
    thread_local std::array<unsigned, 4> cached_id{~0u, ~0u, ~0u, ~0u};
    thread_local std::array<bool, 4> cached{};
    if (id != cached_id[t]) {
        cached_id[t] = id;
        cached[t] = edge_of_type(type, profile);
    }
    return cached[t];
}

void push_spanning_draws(PatternKey base, const DrawShape& shape, const RankProfile& profile,
                         HoldPatterns& out) {
    if (!spans(profile) || get(base, kWild) != 0) {
        return;
    }
    if (shape.family == Family::straight_flush && shape.cards == 3 && profile.pairs_pay) {
        push_typed(base, shape.high, shape.gaps, shape.edge, profile, out);
    }
    if (suited_family(shape.family) && (shape.cards == 3 || shape.cards == 4)) {
        out.push(any_flush(base));
    }
    if (shape.cards == 4 && shape.ways > 0) {
        const PatternKey key = any_straight(base, shape.ways >= 2);
        if (profile.pairs_pay) {
            out.push(key | put(kHigh, static_cast<unsigned>(shape.high)));
            out.push(key | put(kAnyHigh, 1));
        } else {
            out.push(key);
        }
    }
}

void push_spanning_parents(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (!spans(profile)) {
        return;
    }
    if (kind_of(key) == Kind::made_five && get(key, kRow) < kMadeRow &&
        (profile.made_rows >> get(key, kRow) & 1u) != 0) {
        out.push(made_hands());
        return;
    }
    if (top_hands_apply(profile) &&
        ((kind_of(key) == Kind::made_five && get(key, kRow) < kMadeRow &&
          (profile.top_rows >> get(key, kRow) & 1u) != 0) ||
         (kind_of(key) == Kind::sets && get(key, kTop) == 4 && get(key, kKickers) == 0))) {
        out.push(top_hands());
        return;
    }
    if (kind_of(key) != Kind::draw || get(key, kWild) != 0) {
        return;
    }
    const Family family = family_of(key);
    const int cards = static_cast<int>(get(key, kHeld));
    const PatternKey base = base_of(key);
    if (get(key, kAnySuits) != 0) {
        if (family == Family::straight && profile.pairs_pay && get(key, kAnyHigh) == 0) {
            out.push((key & ~put(kHigh, 7)) | put(kAnyHigh, 1));
        }
        return;
    }
    if (get(key, kSfType) != 0) {
        if (get(key, kEdgeSaid) != 0) {
            out.push(key & ~put(kEdgeSaid, 1) & ~put(kEdge, 1));
        }
        out.push(key & ~put(kSfType, 3) & ~put(kEdgeSaid, 1) & ~put(kEdge, 1));
        out.push(any_flush(base));
        return;
    }
    const bool fine = get(key, kNamed) == 0 && get(key, kAnyGaps) == 0;
    if (family == Family::straight_flush && cards == 3 && fine && get(key, kAnyHigh) == 0 &&
        profile.pairs_pay) {
        push_typed(base, static_cast<int>(get(key, kHigh)), static_cast<int>(get(key, kGaps)),
                   get(key, kEdge) != 0, profile, out);
    }
    if (suited_family(family) && (cards == 3 || cards == 4)) {
        out.push(any_flush(base));
    }
    if (cards == 4 && fine && (family == Family::straight || family == Family::straight_flush)) {
        const bool outside = family == Family::straight
                                 ? get(key, kGaps) == 0
                                 : get(key, kGaps) == 0 && get(key, kEdge) == 0;
        const PatternKey any = any_straight(base, outside);
        if (profile.pairs_pay && get(key, kAnyHigh) == 0) {
            out.push(any | put(kHigh, get(key, kHigh)));
        }
        out.push(any | put(kAnyHigh, profile.pairs_pay ? 1 : 0));
    }
}

PatternKey top_hands() {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kRow, kTopRow);
}

PatternKey made_hands() {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kRow, kMadeRow);
}

bool trips_dealt(const std::array<CardId, 5>& deal, HoldMask mask) {
    int held_rank = -1;
    std::array<int, 2> left{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            held_rank = deal[i].rank();
        } else if (n < 2) {
            left[n++] = deal[i].rank();
        }
    }
    return n == 2 && left[0] != left[1] && left[0] != held_rank && left[1] != held_rank;
}

bool top_hands_apply(const RankProfile& profile) {
    if (!spans(profile)) {
        return false;
    }
    for (const unsigned kickers : profile.kickers) {
        if (kickers != 0) {
            return false;
        }
    }
    return true;
}

}  // namespace quillon::odds

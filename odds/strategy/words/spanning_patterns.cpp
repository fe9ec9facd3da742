#include <algorithm>
#include <array>
#include <bit>

#include "base/ranks.h"
#include "odds/strategy/patterns/edge_words.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

// Patterns that span several families of draws, so that a short chart can say
// in one line what published charts say in one: "4 to a flush" (a straight flush draw too),
// "4 to an outside straight" (in any suits), three to a straight flush by its high cards against
// its gaps. Games with wild cards have their own distinctions and do not use these; the
// dealt hands kept whole are their own distinction (dealt_hands.cpp).
namespace quillon::odds::spanning_patterns {

using namespace pattern_key;

namespace {

// A draw of natural cards as the classifier sees it.
struct DrawShape {
    pattern_key::Family family = pattern_key::Family::plain;
    int cards = 0;
    int high = 0;
    // The ranks missing between its lowest and highest card, where it fits a straight.
    int gaps = 0;
    bool edge = false;
    // The straights that can fill it; zero where none.
    int ways = 0;
};

// Four to a straight with this many high cards or more is one pattern too.
constexpr unsigned kManyHigh = 3;

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

// Whether some draws of a type of three to a straight flush (pattern_key::sf_type) sit at the ace
// end, so that the words name them.
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

void push_typed(PatternKey base, int high, int gaps, bool edge, const RankProfile& profile,
                HoldPatterns& out) {
    const unsigned type = sf_type(high, gaps);
    const PatternKey key = typed(base, type);
    if (sf_type_has_edge(type, profile)) {
        out.push(key | put(kEdgeSaid, 1) | put(kEdge, edge ? 1 : 0));
    }
    out.push(key);
}

// Pushes the spanning patterns the draw shows; `base` holds its kind, held and wild fields.
void push_spanning_draws(PatternKey base, const DrawShape& shape, const RankProfile& profile,
                         HoldPatterns& out) {
    if (get(base, kWild) != 0) {
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
            if (static_cast<unsigned>(shape.high) >= kManyHigh) {
                out.push(key | put(kHigh, kManyHigh) | put(kOrMore, 1));
            }
            out.push(key | put(kAnyHigh, 1));
        } else {
            out.push(key);
        }
    }
}

// The spanning patterns that take in every hold of the draw's pattern `key`.
void push_spanning_parents(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
    if (kind_of(key) != Kind::draw || get(key, kWild) != 0) {
        return;
    }
    const Family family = family_of(key);
    const int cards = static_cast<int>(get(key, kHeld));
    const PatternKey base = base_of(key);
    if (get(key, kAnySuits) != 0) {
        if (family == Family::straight && profile.pairs_pay && get(key, kAnyHigh) == 0) {
            if (get(key, kOrMore) == 0 && get(key, kHigh) >= kManyHigh) {
                out.push((key & ~put(kHigh, 7)) | put(kHigh, kManyHigh) | put(kOrMore, 1));
            }
            out.push((key & ~put(kHigh, 7) & ~put(kOrMore, 1)) | put(kAnyHigh, 1));
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
            if (get(key, kHigh) >= kManyHigh) {
                out.push(any | put(kHigh, kManyHigh) | put(kOrMore, 1));
            }
        }
        out.push(any | put(kAnyHigh, profile.pairs_pay ? 1 : 0));
    }
}

// The words of its own draws.
std::string spanning_text(PatternKey key, const RankProfile& profile) {
    const int k = static_cast<int>(get(key, kHeld));
    if (get(key, kSfType) != 0) {
        std::string text = std::to_string(k) + " to a straight flush, not a royal, ";
        text += get(key, kSfType) == 1 ? "at least as many high cards as gaps"
                                       : "fewer high cards than gaps";
        return get(key, kEdgeSaid) != 0 ? text + edge_text(key, profile, {}, false) : text;
    }
    if (family_of(key) == Family::flush) {
        return std::to_string(k) + " to a flush";
    }
    std::string text =
        get(key, kGaps) == 0 ? "4 to an outside straight" : "4 to an inside straight";
    if (get(key, kAnyHigh) == 0 && profile.pairs_pay) {
        const int high = static_cast<int>(get(key, kHigh));
        text += high == 0 ? ", no high card" : ", " + count_text(high, "high card", "high cards");
        text += get(key, kOrMore) != 0 ? " or more" : "";
    }
    return text;
}

class Spanning final : public Registered<Spanning> {
  public:
    Spanning() : Registered("spanning patterns", kNoWild) {}
    std::string whole_words(PatternKey key, const Game&,
                            const RankProfile& profile) const override {
        const bool own =
            kind_of(key) == Kind::draw && (get(key, kAnySuits) != 0 || get(key, kSfType) != 0);
        return own ? spanning_text(key, profile) : std::string{};
    }
    // Its own draws take their coarser patterns from it alone; other draws take its parents
    // ahead of their own.
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        if (kind_of(key) != Kind::draw) {
            return false;
        }
        const bool own = get(key, kAnySuits) != 0 || get(key, kSfType) != 0;
        if ((stage == CoarserStage::first && own) || (stage == CoarserStage::kind && !own)) {
            push_spanning_parents(key, profile, out);
        }
        return stage == CoarserStage::first && own;
    }
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        const int gaps = v.fit.fits > 0 ? v.fit.span - v.naturals : 0;
        const DrawShape shape{v.family, v.naturals, v.high, gaps, v.fit.edge, v.fit.ways};
        push_spanning_draws(v.base & ~put(kSuited, 1), shape, v.profile, out);
        return true;
    }
};

}  // namespace

const Distinction& distinction() {
    return Spanning::instance();
}

}  // namespace quillon::odds::spanning_patterns

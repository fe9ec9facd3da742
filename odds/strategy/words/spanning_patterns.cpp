#include "odds/strategy/words/spanning_patterns.h"

#include <algorithm>
#include <array>
#include <bit>

#include "base/ranks.h"
#include "odds/strategy/patterns/edge_words.h"
#include "odds/strategy/patterns/straight_fit.h"

namespace quillon::odds {

using namespace pattern_key;

namespace {

// Four to a straight with this many high cards or more is one pattern too.
constexpr unsigned kManyHigh = 3;

PatternKey dealt_row(unsigned row) {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kRow, row);
}

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

// Whether every hold of a four-of-a-kind pattern is the whole paying hand of its deal: four
// alone where no kicker beside it pays, four with a kicker that pays.
bool four_keeps_top(PatternKey key, const RankProfile& profile) {
    if (get(key, kWild) != 0) {
        return false;
    }
    if (get(key, kKickers) == 1) {
        return get(key, kKickerPays) == 1;
    }
    const unsigned group = get(key, kRanks);
    return get(key, kKickers) == 0 &&
           (group != 0
                ? profile.group_kickers[static_cast<std::size_t>(std::countr_zero(group))] == 0
                : !kickers_pay(profile));
}

}  // namespace

bool spans(const RankProfile& profile) {
    return !profile.wild_cards;
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
            if (static_cast<unsigned>(shape.high) >= kManyHigh) {
                out.push(key | put(kHigh, kManyHigh) | put(kOrMore, 1));
            }
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
    if (kind_of(key) == Kind::made_five) {
        const unsigned row = get(key, kRow);
        const bool made = row < kRoyalDrawRow && (profile.made_rows >> row & 1u) != 0;
        if (made || row == kMadeRow) {
            out.push(dealt_row(kPaidRow));
        }
        if ((made || row == kMadeRow || row == kPaidRow) && profile.pairs_pay) {
            out.push(dealt_row(kPairRow));
        }
        if (made) {
            out.push(dealt_row(kMadeRow));
            return;
        }
    }
    if (key == top_hands()) {
        out.push(dealt_row(kRoyalDrawRow));
        return;
    }
    if ((kind_of(key) == Kind::made_five && get(key, kRow) < kRoyalDrawRow &&
         (profile.top_rows >> get(key, kRow) & 1u) != 0) ||
        (kind_of(key) == Kind::sets && get(key, kTop) == 4 && four_keeps_top(key, profile))) {
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

PatternKey top_hands() {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kRow, kTopRow);
}

namespace {

// How far up the dealt hand stands among the lines of dealt hands, and the cards that pay in it.
// A pair and four of a kind stand where the game lets them (high pairs; fours without kickers).
constexpr int kLevelPair = 1;
constexpr int kLevelTwoPair = 2;
constexpr int kLevelMade = 3;
constexpr int kLevelFour = 4;
constexpr int kLevelTop = 5;

struct DealtHand {
    int level = 0;
    HoldMask cards = 0;
    // The rank of the pair or the four, and beside a four its odd card and that card's rank.
    int pair_rank = 0;
    HoldMask odd = 0;
    int odd_rank = 0;
};

DealtHand dealt_hand(const std::array<CardId, 5>& deal) {
    std::array<int, kRankCount> count{};
    unsigned ranks = 0;
    bool flush = true;
    for (std::size_t i = 0; i < 5; ++i) {
        const int r = engine_rank(deal[i].rank());
        ++count[static_cast<std::size_t>(r)];
        ranks |= 1u << r;
        flush = flush && deal[i].suit() == deal[0].suit();
    }
    bool straight = false;
    for (const unsigned s : kStraightMasks) {
        straight = straight || ranks == s;
    }
    if (straight || flush) {
        return {straight && flush ? kLevelTop : kLevelMade, 0x1f, 0, 0, 0};
    }
    const auto cards_of = [&](int min_count) {
        HoldMask mask = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            const auto r = static_cast<std::size_t>(engine_rank(deal[i].rank()));
            mask = static_cast<HoldMask>(mask | (count[r] >= min_count ? 1u << i : 0u));
        }
        return mask;
    };
    int top = 0;
    int pairs = 0;
    int pair_rank = 0;
    for (int r = 0; r < kRankCount; ++r) {
        const int c = count[static_cast<std::size_t>(r)];
        top = std::max(top, c);
        pairs += c == 2 ? 1 : 0;
        pair_rank = c == 2 ? r : pair_rank;
    }
    if (top == 4) {
        const HoldMask four = cards_of(4);
        const auto odd = static_cast<HoldMask>(0x1f & ~four);
        const int odd_rank =
            engine_rank(deal[static_cast<std::size_t>(std::countr_zero(odd))].rank());
        const int rank = engine_rank(deal[static_cast<std::size_t>(std::countr_zero(four))].rank());
        return {kLevelFour, four, rank, odd, odd_rank};
    }
    if (top == 3) {
        return {kLevelMade, pairs == 1 ? HoldMask{0x1f} : cards_of(3), 0, 0, 0};
    }
    if (pairs == 2) {
        return {kLevelTwoPair, cards_of(2), 0, 0, 0};
    }
    if (pairs == 1) {
        return {kLevelPair, cards_of(2), pair_rank, 0, 0};
    }
    return {};
}

// Whether the hold is four suited cards of a royal flush.
bool royal_draw(const std::array<CardId, 5>& deal, HoldMask mask) {
    if (std::popcount(static_cast<unsigned>(mask)) != 4) {
        return false;
    }
    int suit = -1;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) == 0) {
            continue;
        }
        const int s = static_cast<int>(deal[i].suit());
        if (engine_rank(deal[i].rank()) < kTen || (suit >= 0 && s != suit)) {
            return false;
        }
        suit = s;
    }
    return true;
}

}  // namespace

void push_dealt_hand(const RankProfile& profile, const std::array<CardId, 5>& deal, HoldMask mask,
                     HoldPatterns& out) {
    if (!spans(profile)) {
        return;
    }
    // Asked for all 32 holds of a deal in turn: the deal is read once.
    thread_local std::array<CardId, 5> last{};
    thread_local DealtHand hand;
    if (deal != last) {
        last = deal;
        hand = dealt_hand(deal);
    }
    if (hand.level < kLevelFour && royal_draw(deal, mask)) {
        out.push(dealt_row(kRoyalDrawRow));
        return;
    }
    // Four of a kind keeps its kicker where the kicker pays.
    const bool kicker =
        hand.level == kLevelFour &&
        (profile.kickers[static_cast<std::size_t>(hand.pair_rank)] >> hand.odd_rank & 1u) != 0;
    const HoldMask cards = kicker ? static_cast<HoldMask>(hand.cards | hand.odd) : hand.cards;
    if (hand.level == 0 || cards != mask ||
        (hand.level == kLevelPair && !profile.high[static_cast<std::size_t>(hand.pair_rank)])) {
        return;
    }
    if (hand.level >= kLevelFour) {
        out.push(top_hands());
        out.push(dealt_row(kRoyalDrawRow));
        return;
    }
    if (hand.level >= kLevelMade) {
        out.push(dealt_row(kMadeRow));
    }
    if (hand.level >= kLevelTwoPair) {
        out.push(dealt_row(kPaidRow));
    }
    if (profile.pairs_pay) {
        out.push(dealt_row(kPairRow));
    }
}

bool keeps_dealt_hand(PatternKey key) {
    return kind_of(key) == Kind::made_five && get(key, kRow) >= kRoyalDrawRow &&
           get(key, kRow) <= kTopRow;
}

bool kickers_pay(const RankProfile& profile) {
    for (const unsigned kickers : profile.kickers) {
        if (kickers != 0) {
            return true;
        }
    }
    return false;
}

namespace {

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
    // ahead of their own, sets and made hands after.
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        const bool draw = kind_of(key) == Kind::draw;
        const bool own = draw && (get(key, kAnySuits) != 0 || get(key, kSfType) != 0);
        if ((stage == CoarserStage::first && own) ||
            (stage == CoarserStage::kind && draw && !own) ||
            (stage == CoarserStage::last && !draw)) {
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

namespace spanning_patterns {

const Distinction& distinction() {
    return Spanning::instance();
}

}  // namespace spanning_patterns

}  // namespace quillon::odds

#include <algorithm>
#include <array>
#include <bit>
#include <string>

#include "base/ranks.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// The dealt hands kept whole, in games without wild cards: where a hold keeps exactly the paying
// cards of the deal, a short chart says it in one line, as published charts do. "royal flush,
// straight flush or four of a kind" (four of a kind with its kicker where the kicker pays), the
// same or else "4 to a royal flush", "three of a kind, straight, flush or full house", and the
// same with two pair and with a high pair. No deal has two holds of one. Each line is a row of
// the made hands beyond the pay table's (pattern_key::kRoyalDrawRow to kTopRow).
namespace quillon::odds::dealt_hands {

using namespace pattern_key;

namespace {

PatternKey dealt_row(unsigned row) {
    return put(kKind, static_cast<unsigned>(Kind::made_five)) | put(kRow, row);
}

// "royal flush, straight flush or four of a kind": the made hands that pay more than any draw
// in them.
PatternKey top_hands() {
    return dealt_row(kTopRow);
}

// Whether some four of a kind of the game pays more beside some kicker.
bool kickers_pay(const RankProfile& profile) {
    return std::any_of(profile.kickers.begin(), profile.kickers.end(),
                       [](unsigned kickers) { return kickers != 0; });
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

// The lines of dealt hands that take in every hold of a made hand's or a set's pattern.
void push_parents(PatternKey key, const RankProfile& profile, HoldPatterns& out) {
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
    }
}

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

// Where the hold keeps exactly the paying cards of the deal, the lines of dealt hands it keeps.
void push_dealt_hand(const RankProfile& profile, const std::array<CardId, 5>& deal, HoldMask mask,
                     HoldPatterns& out) {
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

// The words of a line of dealt hands; empty for any other key.
std::string dealt_text(PatternKey key, const RankProfile& profile) {
    if (kind_of(key) != Kind::made_five) {
        return {};
    }
    switch (get(key, kRow)) {
        case kTopRow:
            return kickers_pay(profile)
                       ? "royal flush, straight flush or four of a kind (with its kicker "
                         "where the kicker pays)"
                       : "royal flush, straight flush or four of a kind";
        case kRoyalDrawRow:
            return kickers_pay(profile)
                       ? "royal flush, straight flush, four of a kind (with its kicker where "
                         "the kicker pays) or 4 to a royal flush"
                       : "royal flush, straight flush, four of a kind or 4 to a royal flush";
        case kMadeRow:
            return "three of a kind, straight, flush or full house";
        case kPaidRow:
            return "two pair, three of a kind, straight, flush or full house";
        case kPairRow:
            return "high pair, two pair, three of a kind, straight, flush or full house";
        default:
            return {};
    }
}

class DealtHands final : public Registered<DealtHands> {
  public:
    DealtHands() : Registered("dealt hands", kNoWild) {}
    void add_dealt(const RankProfile& profile, const std::array<CardId, 5>& deal, HoldMask mask,
                   HoldPatterns& out) const override {
        push_dealt_hand(profile, deal, mask, out);
    }
    std::string whole_words(PatternKey key, const Game&,
                            const RankProfile& profile) const override {
        return dealt_text(key, profile);
    }
    // Sets and made hands take the lines of dealt hands after their other coarser patterns.
    bool add_coarser(CoarserStage stage, PatternKey key, const RankProfile& profile,
                     HoldPatterns& out) const override {
        if (stage == CoarserStage::last && kind_of(key) != Kind::draw) {
            push_parents(key, profile, out);
        }
        return false;
    }
};

}  // namespace

const Distinction& distinction() {
    return DealtHands::instance();
}

}  // namespace quillon::odds::dealt_hands

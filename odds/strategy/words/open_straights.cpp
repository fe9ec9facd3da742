#include "odds/strategy/words/open_straights.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string_view>
#include <vector>

#include "base/card.h"
#include "base/ranks.h"
#include "odds/games/pay_table.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds::open_straights {

using namespace pattern_key;

// The open straights of a card of `rank` beside these discarded ranks (a rank mask).
int open_count(int rank, unsigned discards, const RankProfile& profile) {
    unsigned high = 0;
    for (std::size_t r = 0; r < kRankCount; ++r) {
        high |= profile.high[r] ? 1u << r : 0u;
    }
    int count = 0;
    for (const unsigned straight : kStraightMasks) {
        count += (straight >> rank & 1u) != 0 && (straight & high) == 0 &&
                         std::popcount(straight & discards) <= 1
                     ? 1
                     : 0;
    }
    return count;
}

namespace {

// Whether a game's charts make this distinction: the joker games where a pair pays, so that
// there are low cards to choose among.
bool applies(const RankProfile& profile) {
    return profile.joker && profile.pairs_pay;
}

// Whether the one natural card that `mask` keeps beside the joker is a low card with the most
// open straights less discards of its suit (a ten counting one more) among the deal's low cards,
// each counted against its own discards.
bool most_open(const Game& game, const RankProfile& profile, const std::array<CardId, 5>& deal,
               HoldMask mask) {
    if (!applies(profile)) {
        return false;
    }
    unsigned all = 0;
    int kept = -1;
    int wild_kept = 0;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        const bool held = (mask >> i & 1u) != 0;
        if (is_wild(deal[i], game)) {
            wild_kept += held ? 1 : 0;
            continue;
        }
        all |= 1u << engine_rank(deal[i].rank());
        if (held) {
            kept = kept == -1 ? static_cast<int>(i) : -2;
        }
    }
    const auto low = [&](std::size_t i) {
        return !is_wild(deal[i], game) &&
               !profile.high[static_cast<std::size_t>(engine_rank(deal[i].rank()))];
    };
    if (kept < 0 || wild_kept != 1 || !low(static_cast<std::size_t>(kept))) {
        return false;
    }
    // Each discard of the card's suit is a card its flush cannot draw, and costs as much as an
    // open straight; a ten reaches the royal flush, which counts as one straight more.
    const auto score = [&](std::size_t c) {
        const int rank = engine_rank(deal[c].rank());
        int suited = 0;
        for (std::size_t i = 0; i < deal.size(); ++i) {
            suited += i != c && !is_wild(deal[i], game) && deal[i].suit() == deal[c].suit() ? 1 : 0;
        }
        return open_count(rank, all & ~(1u << rank), profile) + (rank == kTen ? 1 : 0) - suited;
    };
    const int mine = score(static_cast<std::size_t>(kept));
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if (low(i) && score(i) > mine) {
            return false;
        }
    }
    return true;
}

// "joker + a low card": one card that is not high, with no other distinction.
bool is_low_card(PatternKey key) {
    return kind_of(key) == Kind::draw && get(key, kHeld) == 2 && get(key, kWild) == 1 &&
           family_of(key) == Family::plain && get(key, kNamed) == 0 && get(key, kSpot) == 0 &&
           get(key, kAnyGaps) != 0 && get(key, kAnyHigh) == 0 && get(key, kHigh) == 0 &&
           get(key, kMostOpen) == 0;
}

// The patterns of a lone low card beside the joker (`draws`, finest first) with this file's
// pattern added just before "joker + a low card".
HoldPatterns add_most_open(const HoldPatterns& draws) {
    return marked_before(draws, put(kMostOpen, 1), is_low_card);
}

// The words of the pattern's card, or nothing for any other pattern.
std::string_view card_text(PatternKey key) {
    return get(key, kMostOpen) != 0
               ? "the low card with the most open straights less discards of its suit, a ten "
                 "counting one more"
               : std::string_view{};
}

class MostOpen final : public Registered<MostOpen> {
  public:
    MostOpen() : Registered("open straights", kJokerPairs) {}
    std::string draw_name(PatternKey key, const RankProfile&) const override {
        return std::string(card_text(key));
    }
    bool refine_hold(const HoldView& v, HoldPatterns& out) const override {
        if (v.naturals == 1 && most_open(v.game, v.profile, v.deal, v.mask)) {
            out = add_most_open(out);
        }
        return false;
    }
    // The next coarser pattern of this file's pattern ("joker + a low card"); nothing for any
    // other.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        return without(key, kMostOpen);
    }
    // This file's pattern, where the game has it.
    void add_vocabulary(const Game& game, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        if (!applies(profile)) {
            return;
        }
        // The joker beside the four cards of the lowest low rank: any one of them is the card.
        int low = 0;
        while (low < kRankCount && profile.high[static_cast<std::size_t>(low)]) {
            ++low;
        }
        if (low == kRankCount) {
            return;
        }
        const int rank = (low + 1) % kRankCount + 1;
        const std::array<CardId, 5> deal = {
            CardId::joker(), CardId::of(Suit::spade, rank), CardId::of(Suit::heart, rank),
            CardId::of(Suit::club, rank), CardId::of(Suit::diamond, rank)};
        for (const PatternKey key : patterns_of(game, profile, deal, HoldMask{0b11})) {
            if (get(key, kMostOpen) != 0) {
                add_word(out, key);
            }
        }
    }
};

}  // namespace

const Distinction& distinction() {
    return MostOpen::instance();
}

}  // namespace quillon::odds::open_straights

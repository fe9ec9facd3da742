#include <bit>
#include <string_view>

#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

// Three to a royal flush without the joker, in the joker games where a pair pays, where the words
// do not tell the ace (every draw of as many high cards holds it: A-K beside a ten, jack or queen
// in kings or better): a discard of their suit, a card the royal cannot draw, takes them below
// a pair of high cards, so the words may add the flush penalty: "3 to a royal flush, 2 high
// cards, no flush penalty".
namespace quillon::odds::royal_penalties {

using namespace pattern_key;

namespace {

// The draw by its high cards, any gaps, nothing named.
bool by_high_cards(PatternKey key) {
    return kind_of(key) == Kind::draw && family_of(key) == Family::royal && get(key, kNamed) == 0 &&
           get(key, kAnyGaps) != 0 && get(key, kAnyHigh) == 0 && get(key, kRoyalAce) == 0 &&
           get(key, kWild) == 0 && get(key, kHeld) == 3;
}

// The draw's patterns (`draws`, finest first) with the draw by its high cards and its flush
// penalty (1 a discard of their suit, 2 none) just before the draw by its high cards, where it
// is three suited royal cards (`ranks`) of such a game kept without a wild card.
HoldPatterns add_penalty(const HoldPatterns& draws, unsigned ranks, int wild, unsigned penalty,
                         const RankProfile& profile) {
    if (!profile.joker || !profile.pairs_pay || wild != 0 || std::popcount(ranks) != 3 ||
        penalty == 0 || ace_tells_royal(profile, ranks, wild)) {
        return draws;
    }
    return marked_before(draws, put(kPenalty, penalty), [](PatternKey key) {
        return by_high_cards(key) && get(key, kPenalty) == 0;
    });
}

class RoyalPenalty final : public Registered<RoyalPenalty> {
  public:
    RoyalPenalty() : Registered("royal penalties", kJokerPairs) {}
    bool refine_draw(const DrawView& v, HoldPatterns& out) const override {
        if (v.family == Family::royal) {
            out = add_penalty(out, v.ranks, v.wild, v.penalty, v.profile);
        }
        return false;
    }
    // The draw by its high cards, without its penalty.
    HoldPatterns narrows(PatternKey key, const RankProfile&) const override {
        return by_high_cards(key) ? without(key, kPenalty) : HoldPatterns{};
    }
    std::string draw_words(PatternKey key, const RankProfile&) const override {
        return by_high_cards(key) ? std::string(penalty_text(key)) : std::string{};
    }
};

}  // namespace

const Distinction& distinction() {
    return RoyalPenalty::instance();
}

}  // namespace quillon::odds::royal_penalties

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"

namespace quillon::odds {

// What the ranks and the wild cards mean in one game, worked out from what its table pays:
// which pairs pay (its high cards), which rows single pairs fall into, how four of a kind pays by
// rank and by kicker, and what the wild cards are called.
struct RankProfile {
    std::array<bool, kRankCount> high{};
    std::array<std::uint8_t, kRankCount> pair_row{};
    // The row four of a kind of each rank pays in with a kicker that adds nothing, and the
    // kickers that pay more beside it.
    std::array<std::uint8_t, kRankCount> quad_row{};
    std::array<unsigned, kRankCount> kickers{};
    // Whether fours pay by rank or kicker; if so, the ranks whose sets play alike form groups
    // that a chart tells apart: for pairs those paid alike as pairs and as fours, for threes and
    // fours those paid alike as fours. `group_kickers` holds the kickers of each set group.
    bool quads_vary = false;
    std::array<unsigned, kRankCount> pair_group{};
    std::array<unsigned, kRankCount> set_group{};
    std::array<unsigned, kRankCount> group_kickers{};
    bool pairs_pay = false;
    // Whether sets beside kickers are grouped by rank only where some kicker pays more.
    bool groups_need_paying_kickers = false;
    // The ranks of natural cards: all but the two in deuces wild.
    unsigned naturals = 0x1fffu;
    // Whether the game has wild cards at all; the spanning patterns are for games without.
    bool wild_cards = false;
    // The rows of a royal flush and a straight flush, one bit a row, in games without them.
    std::uint32_t top_rows = 0;
    // The rows of three of a kind, a straight, a flush and a full house, likewise.
    std::uint32_t made_rows = 0;
    // Whether the game's wild card is the joker.
    bool joker = false;
    // Whether the joker is wild beside the four deuces.
    bool joker_beside_deuces = false;
    std::string wild_name;
    std::string wild_plural;
    // The wild cards a set or draw may be made with: "the joker", "jokers", "deuces", ...
    std::string wild_any;
};

RankProfile rank_profile(const Game& game);

// Whether a card is wild in a game: the joker, or the four 2s of deuces wild.
bool is_wild(CardId card, const Game& game);

// The shape of a hold as a player sees it, packed in one word so that equal shapes compare equal.
// Two holds with the same pattern are played alike by a chart.
using PatternKey = std::uint64_t;

// The patterns a hold shows, finest first: "suited J-Q" is also "2 to a royal flush, 2 high
// cards" and "2 to a royal flush". A chart line may name any of them.
struct HoldPatterns {
    // Only the first `count` keys are set: the rest are left as they are, as clearing them all
    // on every hold of every deal costs more than classifying many holds.
    std::array<PatternKey, 12> keys;
    std::size_t count = 0;

    // A hold shows at most ten patterns today; a new distinction that shows more than the room
    // left is a fault in the classifier, not a reason to write past the end.
    void push(PatternKey key) {
        if (count == keys.size()) {
            throw std::length_error("a hold shows more patterns than HoldPatterns holds");
        }
        keys[count++] = key;
    }
    const PatternKey* begin() const { return keys.data(); }
    const PatternKey* end() const { return keys.data() + count; }
};

// The patterns of the cards `mask` keeps out of `deal`.
HoldPatterns patterns_of(const Game& game, const RankProfile& profile,
                         const std::array<CardId, 5>& deal, HoldMask mask);

// The coarser patterns every hold showing `key` also shows.
HoldPatterns coarser_patterns(PatternKey key, const RankProfile& profile);

// The pattern that keeps no card.
PatternKey discard_everything();

// The pattern of every paying hand of all five cards kept whole.
PatternKey any_paying_hand();

// Whether a pattern keeps a hand that pays whatever is drawn to it: a paying five-card hand,
// four of a kind, or four wild cards.
bool is_pat_pattern(PatternKey key);

// Whether a pattern is one of the lines of dealt hands kept whole (pattern_key::kRoyalDrawRow to
// kTopRow), which the search keeps apart.
bool keeps_dealt_hand(PatternKey key);

// Among holds of one pattern in the same deal a chart keeps the one the tie rule (kTieRule)
// names; this orders them (the higher keeps) without looking at what they return or how the
// deal was ordered.
std::uint64_t hold_preference(const Game& game, const std::array<CardId, 5>& deal, HoldMask mask);

// The tie rule's order of one deal's holds, each worked out the first time it is asked for: most
// holds never meet another on one line, and their order is never needed.
class HoldPreferences {
  public:
    HoldPreferences(const Game& game, const std::array<CardId, 5>& deal)
        : game_(game), deal_(deal) {}
    std::uint64_t operator()(HoldMask mask) {
        if ((known_ >> mask & 1u) == 0) {
            known_ |= 1u << mask;
            order_[mask] = hold_preference(game_, deal_, mask);
        }
        return order_[mask];
    }

  private:
    const Game& game_;
    const std::array<CardId, 5>& deal_;
    std::array<std::uint64_t, kHoldCount> order_;
    std::uint32_t known_ = 0;
};

}  // namespace quillon::odds

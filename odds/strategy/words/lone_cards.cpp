#include "odds/strategy/words/lone_cards.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>
#include <vector>

#include "base/card.h"
#include "base/ranks.h"
#include "odds/games/hand_class.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/straight_fit.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds::lone_cards {

using namespace pattern_key;

int clear_count(int rank, unsigned gone) {
    return clear_straights(1u << rank, gone);
}

namespace {

PatternKey named_key(int rank, unsigned wild) {
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, 1 + wild) | put(kWild, wild) |
           put(kNamed, 1) | put(kRanks, 1u << rank);
}

// A card by its rank (`named`) with `least` clear straights or more.
PatternKey or_more(PatternKey named, int least) {
    return named | put(kClear, static_cast<unsigned>(least) + 1) | put(kClearOrMore, 1);
}

// One card alone, whatever its rank, is told by its clear straights where it has this many or
// more (a card from 3 to the queen): fewer play by the card's rank, and each count would add a
// pattern to nearly every deal.
constexpr int kAnyRankClear = 3;

// "one card alone": the lone card whatever its rank.
PatternKey any_rank(PatternKey key) {
    return (key & ~field_bits(kNamed) & ~field_bits(kRanks) & ~field_bits(kClear) &
            ~field_bits(kPenalty) & ~put(kClearOrMore, 1)) |
           put(kAnyGaps, 1);
}

int rank_of(PatternKey key) {
    return std::countr_zero(get(key, kRanks));
}

// Whether a game's lone cards make these distinctions.
bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

// The patterns of the one natural card `mask` keeps out of `deal`, without the joker, finest
// first, from the patterns of the card by its rank (`named`, finest first): by its flush penalty
// and its clear straights beside it.
HoldPatterns lone_card(const Game& game, const std::array<CardId, 5>& deal, HoldMask mask,
                       const HoldPatterns& named) {
    int rank = 0;
    Suit suit = Suit::spade;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if ((mask >> i & 1u) != 0) {
            rank = engine_rank(deal[i].rank());
            suit = deal[i].suit();
        }
    }
    unsigned gone = 0;
    unsigned penalty = 2;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if ((mask >> i & 1u) == 0 && !is_wild(deal[i], game)) {
            gone |= 1u << engine_rank(deal[i].rank());
            penalty = deal[i].suit() == suit ? 1 : penalty;
        }
    }
    const PatternKey card = named.keys[0] | put(kPenalty, penalty);
    const int count = clear_count(rank, gone);
    const PatternKey clear = put(kClear, static_cast<unsigned>(count) + 1);
    const PatternKey any = any_rank(named.keys[0]);
    HoldPatterns out;
    out.push(card | clear);
    out.push(card);
    for (int least = std::min(count, clear_count(rank, 0) - 1); least >= 1; --least) {
        out.push(or_more(named.keys[0], least));
    }
    if (count >= kAnyRankClear) {
        out.push(any | put(kPenalty, penalty) | clear);
        out.push(any | clear);
    }
    for (const PatternKey key : named) {
        out.push(key);
    }
    return out;
}

// The patterns of the joker and the one natural card `mask` keeps out of `deal`, finest first,
// from the patterns of the card by its rank beside the joker (`named`, finest first): by the
// card's clear straights beside it, "joker + ace, 1 straight clear".
HoldPatterns joker_card(const Game& game, const std::array<CardId, 5>& deal, HoldMask mask,
                        const HoldPatterns& named) {
    int rank = 0;
    unsigned gone = 0;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if (is_wild(deal[i], game)) {
            continue;
        }
        if ((mask >> i & 1u) != 0) {
            rank = engine_rank(deal[i].rank());
        } else {
            gone |= 1u << engine_rank(deal[i].rank());
        }
    }
    // No pattern of the card beside the joker says its clear straights yet.
    return put_first(
        named.keys[0] | put(kClear, static_cast<unsigned>(clear_count(rank, gone)) + 1), named);
}

class LoneCards final : public Registered<LoneCards> {
  public:
    LoneCards() : Registered("lone cards", kJokerNoPairs) {}
    // After the card by its rank (joker draws).
    bool refine_hold(const HoldView& v, HoldPatterns& out) const override {
        if (v.naturals != 1) {
            return false;
        }
        out = v.wild == 0 ? lone_card(v.game, v.deal, v.mask, out)
                          : joker_card(v.game, v.deal, v.mask, out);
        return true;
    }
    // The coarser patterns of a key these distinctions make finer than the usual chain, the finest
    // first; nothing for any other key.
    HoldPatterns narrows(PatternKey key, const RankProfile& profile) const override {
        HoldPatterns out;
        if (!applies(profile) || kind_of(key) != Kind::draw || family_of(key) != Family::plain) {
            return out;
        }
        if (get(key, kClear) == 0 && (get(key, kPenalty) == 0 || get(key, kNamed) == 0)) {
            return out;
        }
        if (get(key, kNamed) == 0) {
            // One card alone, whatever its rank, by its penalty and straights, by its straights.
            if (get(key, kHeld) == 1 && get(key, kWild) == 0) {
                if (get(key, kPenalty) != 0) {
                    out.push(key & ~field_bits(kPenalty));
                }
                out.push(any_rank(key));
            }
            return out;
        }
        if (get(key, kWild) == 1 && get(key, kHeld) == 2) {
            out.push(key & ~field_bits(kClear));
            return out;
        }
        if (get(key, kHeld) != 1 || get(key, kWild) != 0) {
            return out;
        }
        // By penalty and straights: by penalty, by as many straights or more (the most first), the
        // same of one card alone whatever its rank, then by rank. As many straights or more: by
        // fewer or more, then by rank.
        const PatternKey card =
            key & ~field_bits(kClear) & ~field_bits(kPenalty) & ~put(kClearOrMore, 1);
        if (get(key, kPenalty) != 0 && get(key, kClear) != 0) {
            out.push(key & ~field_bits(kClear));
        }
        if (get(key, kClear) != 0) {
            const int count = static_cast<int>(get(key, kClear)) - 1;
            const int most = get(key, kClearOrMore) != 0 ? count - 1 : count;
            for (int least = std::min(most, clear_count(rank_of(key), 0) - 1); least >= 1;
                 --least) {
                out.push(or_more(card, least));
            }
        }
        if (get(key, kPenalty) != 0 && static_cast<int>(get(key, kClear)) - 1 >= kAnyRankClear) {
            const PatternKey any = any_rank(key);
            out.push(any | (key & (field_bits(kClear) | field_bits(kPenalty))));
            out.push(any | (key & field_bits(kClear)));
        }
        out.push(card);
        return out;
    }
    // What the clear straights add to a lone card's words: ", 2 straights clear"; nothing where the
    // pattern does not tell.
    std::string draw_words(PatternKey key, const RankProfile& profile) const override {
        if (!applies(profile) || kind_of(key) != Kind::draw || get(key, kClear) == 0) {
            return "";
        }
        const unsigned clear = get(key, kClear) - 1;
        if (get(key, kClearOrMore) != 0) {
            return ", " + std::to_string(clear) + " or more straights clear";
        }
        return clear == 0   ? ", no straight clear"
               : clear == 1 ? ", 1 straight clear"
                            : ", " + std::to_string(clear) + " straights clear";
    }
    // Every pattern of these distinctions that a hold of the game can show.
    void add_vocabulary(const Game&, const RankProfile& profile,
                        std::vector<PatternKey>& out) const override {
        if (!applies(profile)) {
            return;
        }
        for (int rank = 0; rank < kRankCount; ++rank) {
            for (unsigned penalty = 1; penalty <= 2; ++penalty) {
                const PatternKey card = named_key(rank, 0) | put(kPenalty, penalty);
                add_word(out, card);
                for (int clear = 0; clear <= clear_count(rank, 0); ++clear) {
                    add_word(out, card | put(kClear, static_cast<unsigned>(clear) + 1));
                }
            }
            for (int clear = 0; clear <= clear_count(rank, 0); ++clear) {
                const PatternKey straights = put(kClear, static_cast<unsigned>(clear) + 1);
                const PatternKey any = any_rank(named_key(rank, 0));
                for (unsigned penalty = 0; clear >= kAnyRankClear && penalty <= 2; ++penalty) {
                    add_word(out, any | put(kPenalty, penalty) | straights);
                }
                add_word(out, named_key(rank, 1) | straights);
                if (clear >= 1 && clear < clear_count(rank, 0)) {
                    add_word(out, or_more(named_key(rank, 0), clear));
                }
            }
        }
    }
};

}  // namespace

const Distinction& distinction() {
    return LoneCards::instance();
}

}  // namespace quillon::odds::lone_cards

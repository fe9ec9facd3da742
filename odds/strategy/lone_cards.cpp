#include "odds/strategy/lone_cards.h"

#include <algorithm>

#include "odds/hand_class.h"
#include "odds/ranks.h"
#include "odds/strategy/pattern_key.h"

namespace quillon::odds::lone_cards {

using namespace pattern_key;

namespace {

constexpr PatternKey kClearBits = put(kClear, 7);
constexpr PatternKey kPenaltyBits = put(kPenalty, 3);

PatternKey named_key(int rank, unsigned wild) {
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, 1 + wild) | put(kWild, wild) |
           put(kNamed, 1) | put(kRanks, 1u << rank);
}

void add_new(std::vector<PatternKey>& out, PatternKey key) {
    if (std::find(out.begin(), out.end(), key) == out.end()) {
        out.push_back(key);
    }
}

}  // namespace

bool applies(const RankProfile& profile) {
    return profile.joker && !profile.pairs_pay;
}

int clear_count(int rank, unsigned gone) {
    gone &= ~(1u << rank);
    int clear = 0;
    // The lowest straight runs from the ace to the five; the others start at each rank from the
    // two to the ten.
    for (int low = -1; low + 4 < kRankCount; ++low) {
        unsigned needs = 0;
        for (int r = low; r <= low + 4; ++r) {
            needs |= 1u << (r < 0 ? kAce : r);
        }
        clear += (needs >> rank & 1u) != 0 && (needs & gone) == 0 ? 1 : 0;
    }
    return clear;
}

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
    const PatternKey clear = put(kClear, static_cast<unsigned>(clear_count(rank, gone)) + 1);
    HoldPatterns out;
    out.push(card | clear);
    out.push(card);
    out.push(named.keys[0] | clear);
    for (const PatternKey key : named) {
        out.push(key);
    }
    return out;
}

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
    HoldPatterns out;
    out.push(named.keys[0] | put(kClear, static_cast<unsigned>(clear_count(rank, gone)) + 1));
    for (const PatternKey key : named) {
        out.push(key);
    }
    return out;
}

HoldPatterns coarser(PatternKey key, const RankProfile& profile) {
    HoldPatterns out;
    if (!applies(profile) || kind_of(key) != Kind::draw || get(key, kNamed) == 0) {
        return out;
    }
    if (get(key, kWild) == 1 && get(key, kHeld) == 2 && get(key, kClear) != 0) {
        out.push(key & ~kClearBits);
        return out;
    }
    if (get(key, kHeld) != 1 || get(key, kWild) != 0 ||
        (get(key, kPenalty) == 0 && get(key, kClear) == 0)) {
        return out;
    }
    if (get(key, kClear) != 0) {
        out.push(key & ~kClearBits);
    }
    if (get(key, kPenalty) != 0) {
        if (get(key, kClear) != 0) {
            out.push(key & ~kPenaltyBits);
        }
        out.push(key & ~kClearBits & ~kPenaltyBits);
    }
    return out;
}

std::string clear_text(PatternKey key, const RankProfile& profile) {
    if (!applies(profile) || kind_of(key) != Kind::draw || get(key, kClear) == 0) {
        return "";
    }
    const unsigned clear = get(key, kClear) - 1;
    return clear == 0   ? ", no straight clear"
           : clear == 1 ? ", 1 straight clear"
                        : ", " + std::to_string(clear) + " straights clear";
}

void add_vocabulary(const RankProfile& profile, std::vector<PatternKey>& out) {
    if (!applies(profile)) {
        return;
    }
    for (int rank = 0; rank < kRankCount; ++rank) {
        for (unsigned penalty = 1; penalty <= 2; ++penalty) {
            const PatternKey card = named_key(rank, 0) | put(kPenalty, penalty);
            add_new(out, card);
            for (int clear = 0; clear <= clear_count(rank, 0); ++clear) {
                add_new(out, card | put(kClear, static_cast<unsigned>(clear) + 1));
            }
        }
        for (int clear = 0; clear <= clear_count(rank, 0); ++clear) {
            add_new(out, named_key(rank, 0) | put(kClear, static_cast<unsigned>(clear) + 1));
            add_new(out, named_key(rank, 1) | put(kClear, static_cast<unsigned>(clear) + 1));
        }
    }
}

}  // namespace quillon::odds::lone_cards

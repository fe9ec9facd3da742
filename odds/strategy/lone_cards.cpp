#include "odds/strategy/lone_cards.h"

#include <algorithm>
#include <bit>

#include "odds/hand_class.h"
#include "odds/ranks.h"
#include "odds/strategy/pattern_key.h"

namespace quillon::odds::lone_cards {

using namespace pattern_key;

namespace {

constexpr PatternKey kClearBits = put(kClear, 7);
constexpr PatternKey kPenaltyBits = put(kPenalty, 3);

// "a card from 2 to 9 alone": one natural card below the ten, held without the joker.
constexpr PatternKey kSpotAlone = put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, 1) |
                                  put(kAnyGaps, 1) | put(kSpot, 1);

PatternKey named_key(int rank) {
    return put(kKind, static_cast<unsigned>(Kind::draw)) | put(kHeld, 1) | put(kNamed, 1) |
           put(kRanks, 1u << rank);
}

bool is_spot(int rank) {
    return rank < kTen;
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
    unsigned gone = 0;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if ((mask >> i & 1u) != 0) {
            rank = engine_rank(deal[i].rank());
            suit = deal[i].suit();
        }
    }
    unsigned penalty = 2;
    for (std::size_t i = 0; i < deal.size(); ++i) {
        if ((mask >> i & 1u) == 0 && !is_wild(deal[i], game)) {
            gone |= 1u << engine_rank(deal[i].rank());
            penalty = deal[i].suit() == suit ? 1 : penalty;
        }
    }
    const PatternKey card = named.keys[0];
    const PatternKey flush = put(kPenalty, penalty);
    HoldPatterns out;
    if (!is_spot(rank)) {
        const PatternKey straights =
            put(kClear, static_cast<unsigned>(clear_count(rank, gone)) + 1);
        out.push(card | flush | straights);
        out.push(card | straights);
    }
    out.push(card | flush);
    out.push(card);
    if (is_spot(rank)) {
        out.push(kSpotAlone);
    }
    for (std::size_t i = 1; i < named.count; ++i) {
        out.push(named.keys[i]);
    }
    return out;
}

HoldPatterns coarser(PatternKey key, const RankProfile& profile) {
    HoldPatterns out;
    if (!applies(profile) || kind_of(key) != Kind::draw || get(key, kHeld) != 1 ||
        get(key, kWild) != 0 || get(key, kNamed) == 0) {
        return out;
    }
    const PatternKey card = key & ~kPenaltyBits & ~kClearBits;
    if (get(key, kPenalty) != 0 && get(key, kClear) != 0) {
        out.push(key & ~kPenaltyBits);
        out.push(key & ~kClearBits);
    }
    if (get(key, kPenalty) != 0 || get(key, kClear) != 0) {
        out.push(card);
    } else if (is_spot(std::countr_zero(get(key, kRanks)))) {
        out.push(kSpotAlone);
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
    std::vector<PatternKey> keys{kSpotAlone};
    for (int rank = 0; rank < kRankCount; ++rank) {
        std::vector<PatternKey> cards{named_key(rank)};
        for (int clear = 0; !is_spot(rank) && clear <= clear_count(rank, 0); ++clear) {
            cards.push_back(named_key(rank) | put(kClear, static_cast<unsigned>(clear) + 1));
        }
        for (const PatternKey card : cards) {
            keys.insert(keys.end(), {card, card | put(kPenalty, 1), card | put(kPenalty, 2)});
        }
    }
    for (const PatternKey key : keys) {
        if (std::find(out.begin(), out.end(), key) == out.end()) {
            out.push_back(key);
        }
    }
}

}  // namespace quillon::odds::lone_cards

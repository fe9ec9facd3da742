#include "odds/strategy/joker_draws.h"

#include <algorithm>

#include "odds/ranks.h"
#include "odds/strategy/pattern_key.h"

namespace quillon::odds::joker_draws {

using namespace pattern_key;

bool applies(const Game& game) {
    return game.wild() == Wild::joker;
}

PatternKey made_hand_mark(const Game& game, std::size_t row) {
    // Where no pair pays, every paying hand of five cards is a straight or better already.
    const std::int64_t straight = game.pay_of(HandClass::straight);
    const bool pairs_pay = game.pay_of(pair_of(kAce)) > 0;
    return applies(game) && pairs_pay && straight > 0 && game.pay(row) >= straight
               ? put(kStraightUp, 1)
               : 0;
}

PatternKey straight_up(PatternKey made) {
    return (made & ~put(kRow, 31)) | put(kRow, kNoRow);
}

std::string straight_up_text(const Game& game) {
    return game.rows()[game.row_of(HandClass::straight)].label + " or better, all five cards";
}

HoldPatterns single_card(int rank, int wild, const HoldPatterns& coarser) {
    const PatternKey named = put(kKind, static_cast<unsigned>(Kind::draw)) |
                             put(kHeld, static_cast<unsigned>(1 + wild)) |
                             put(kWild, static_cast<unsigned>(wild)) | put(kNamed, 1) |
                             put(kRanks, 1u << rank);
    HoldPatterns out;
    out.push(named);
    for (const PatternKey key : coarser) {
        if (key != named) {
            out.push(key);
        }
    }
    return out;
}

void add_vocabulary(const Game& game, const RankProfile& profile, std::vector<PatternKey>& out) {
    if (!applies(game)) {
        return;
    }
    for (int wild = 0; wild <= 1; ++wild) {
        for (int rank = 0; rank < kRankCount; ++rank) {
            std::array<CardId, 5> deal{};
            std::size_t n = 0;
            if (wild != 0) {
                deal[n++] = CardId::joker();
            }
            for (int r = rank; n < 5; r = (r + 3) % kRankCount) {
                deal[n] = CardId::of(n == 0 || (wild != 0 && n == 1) ? Suit::spade : Suit::heart,
                                     (r + 1) % kRankCount + 1);
                ++n;
            }
            const auto held = static_cast<HoldMask>((1u << (1 + wild)) - 1);
            for (const PatternKey key : patterns_of(game, profile, deal, held)) {
                if (std::find(out.begin(), out.end(), key) == out.end()) {
                    out.push_back(key);
                }
            }
        }
    }
}

}  // namespace quillon::odds::joker_draws

#pragma once

#include <bit>

#include "base/ranks.h"

namespace quillon::odds {

// How a set of ranks fits the straights: how many of the ten contain it (`fits`), how many of
// those natural cards can fill (`ways`: in deuces wild no natural two exists, so a straight
// that lacks its two is made only by a wild card, which fills any straight), the span from its
// lowest to its highest rank (the ace played low where that is shorter), and whether it sits at
// an end, where fewer straights reach it than its span alone allows.
struct StraightFit {
    int fits = 0, ways = 0;
    int span = 99;
    bool edge = false;
};

constexpr StraightFit straight_fit(unsigned ranks, unsigned naturals = 0x1fffu) {
    StraightFit fit;
    for (const unsigned s : kStraightMasks) {
        if ((ranks & ~s) == 0) {
            ++fit.fits;
            fit.ways += (s & ~ranks & ~naturals) == 0 ? 1 : 0;
        }
    }
    if (fit.fits == 0 || ranks == 0) {
        return fit;
    }
    const int high = std::bit_width(ranks) - 1;
    const int low = std::countr_zero(ranks);
    fit.span = high - low + 1;
    if ((ranks >> kAce & 1u) != 0) {
        // The ace played low, below the two.
        const unsigned rest = ranks & 0xfffu;
        const int top = rest == 0 ? -1 : std::bit_width(rest) - 1;
        fit.span = fit.span < top + 2 ? fit.span : top + 2;
    }
    fit.edge = fit.ways < 6 - fit.span;
    return fit;
}

// The straights holding every rank of `ranks` that need none of the ranks in `gone` (the held
// ranks themselves are never missing, even where a card of theirs is gone).
constexpr int clear_straights(unsigned ranks, unsigned gone) {
    int clear = 0;
    for (const unsigned s : kStraightMasks) {
        clear += (ranks & ~s) == 0 && (s & gone & ~ranks) == 0 ? 1 : 0;
    }
    return clear;
}

}  // namespace quillon::odds

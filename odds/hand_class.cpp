#include "odds/hand_class.h"

#include <bit>

namespace quillon::odds {

namespace {

constexpr std::array<std::string_view, kHandClassCount> kTexts = {
    "nothing",
    "pair of twos",
    "pair of threes",
    "pair of fours",
    "pair of fives",
    "pair of sixes",
    "pair of sevens",
    "pair of eights",
    "pair of nines",
    "pair of tens",
    "pair of jacks",
    "pair of queens",
    "pair of kings",
    "pair of aces",
    "two pair",
    "three of a kind",
    "straight",
    "flush",
    "full house",
    "four fives to kings",
    "four 2s, 3s or 4s",
    "four 2s, 3s or 4s with an ace, 2, 3 or 4",
    "four aces",
    "four aces with a 2, 3 or 4",
    "straight flush",
    "wild royal",
    "five of a kind",
    "four deuces",
    "four deuces with an ace",
    "natural royal"};

// The ten straights as rank masks, the wheel (ace low) first and the ace-high one last.
constexpr std::array<unsigned, 10> straight_masks() {
    std::array<unsigned, 10> masks{};
    masks[0] = 0b1'0000'0000'1111u;
    for (unsigned low = 0; low < 9; ++low) {
        masks[low + 1] = 0b11111u << low;
    }
    return masks;
}
constexpr std::array<unsigned, 10> kStraights = straight_masks();
constexpr unsigned kBroadway = kStraights[9];

// Engine ranks 0 to 2 are the 2s, 3s and 4s.
constexpr bool low_rank(int rank) {
    return rank <= 2;
}

HandClass four_class(int quad, int kicker) {
    if (quad == kAce) {
        return low_rank(kicker) ? HandClass::four_aces_kicker : HandClass::four_aces;
    }
    if (low_rank(quad)) {
        return low_rank(kicker) || kicker == kAce ? HandClass::four_2_4_kicker
                                                  : HandClass::four_2_4;
    }
    return HandClass::four_5_k;
}

// The readings of natural cards beside `wilds` wild cards, each wild card any card at all: the
// classes some choice of the wild cards' ranks makes, worked out rule by rule.
class WildReadings {
  public:
    WildReadings(const RankCounts& naturals, int wilds) : n_(naturals), wilds_(wilds) {
        for (int r = 0; r < kRankCount; ++r) {
            const int c = n_[static_cast<std::size_t>(r)];
            cards_ += c;
            mask_ |= c > 0 ? 1u << r : 0u;
            singles_ += c == 1 ? 1 : 0;
        }
    }

    ClassSet plain() const {
        ClassSet out = 0;
        const int distinct = singles_ + paired_ranks();
        if (distinct == 1) {
            out |= class_bit(HandClass::five);
        }
        if (singles_ == cards_) {
            out |= class_bit(HandClass::nothing);
            for (const unsigned s : kStraights) {
                out |= (mask_ & ~s) == 0 ? class_bit(HandClass::straight) : 0;
            }
        }
        for (int r = 0; r < kRankCount; ++r) {
            out |= fours(r) | threes(r) | pairs(r);
            for (int p = 0; p < kRankCount; ++p) {
                if (p != r) {
                    out |= full_house(r, p) | two_pair(r, p);
                }
            }
        }
        return out;
    }

    // The natural cards in one suit: every plain reading (a wild card may take another suit),
    // the flush, and the straight flushes.
    ClassSet suited() const {
        ClassSet out = plain() | class_bit(HandClass::flush);
        for (const unsigned s : kStraights) {
            if ((mask_ & ~s) == 0) {
                out |=
                    class_bit(s == kBroadway ? HandClass::wild_royal : HandClass::straight_flush);
            }
        }
        return out;
    }

  private:
    int count(int r) const { return n_[static_cast<std::size_t>(r)]; }
    int paired_ranks() const {
        int ranks = 0;
        for (int r = 0; r < kRankCount; ++r) {
            ranks += count(r) > 1 ? 1 : 0;
        }
        return ranks;
    }
    // Wild cards needed to bring rank r to `size`, or more than there are.
    int needed(int r, int size) const { return count(r) <= size ? size - count(r) : kRankCount; }

    ClassSet fours(int r) const {
        if (needed(r, 4) > wilds_) {
            return 0;
        }
        const int others = cards_ - count(r);
        if (others == 1) {
            for (int k = 0; k < kRankCount; ++k) {
                if (k != r && count(k) == 1) {
                    return class_bit(four_class(r, k));
                }
            }
        }
        // The fifth card is a wild one: any rank but r.
        ClassSet out = 0;
        for (int k = 0; k < kRankCount && others == 0; ++k) {
            out |= k != r ? class_bit(four_class(r, k)) : 0;
        }
        return out;
    }

    // Three of r and two more cards of different ranks.
    ClassSet threes(int r) const {
        if (needed(r, 3) > wilds_) {
            return 0;
        }
        const int others = cards_ - count(r);
        return others == singles_ - (count(r) == 1 ? 1 : 0) ? class_bit(HandClass::three) : 0;
    }

    // A pair of r and three more cards of different ranks.
    ClassSet pairs(int r) const {
        if (needed(r, 2) > wilds_) {
            return 0;
        }
        const int others = cards_ - count(r);
        return others == singles_ - (count(r) == 1 ? 1 : 0) ? class_bit(pair_of(r)) : 0;
    }

    ClassSet full_house(int t, int p) const {
        const bool fits = needed(t, 3) + needed(p, 2) <= wilds_ && count(t) + count(p) == cards_;
        return fits ? class_bit(HandClass::full_house) : 0;
    }

    // Pairs of a and b and a fifth card of another rank.
    ClassSet two_pair(int a, int b) const {
        if (needed(a, 2) + needed(b, 2) > wilds_) {
            return 0;
        }
        const int others = cards_ - count(a) - count(b);
        const int other_singles = singles_ - (count(a) == 1 ? 1 : 0) - (count(b) == 1 ? 1 : 0);
        return others == other_singles ? class_bit(HandClass::two_pair) : 0;
    }

    const RankCounts& n_;
    const int wilds_;
    int cards_ = 0;
    unsigned mask_ = 0;
    int singles_ = 0;
};

}  // namespace

std::string_view hand_class_text(HandClass hand) {
    return kTexts[static_cast<std::size_t>(hand)];
}

HandName machine_name(HandClass hand) {
    if (is_four_of_a_kind(hand)) {
        return HandName::four;
    }
    switch (hand) {
        case HandClass::two_pair:
            return HandName::two;
        case HandClass::three:
            return HandName::three;
        case HandClass::straight:
            return HandName::straight;
        case HandClass::flush:
            return HandName::flush;
        case HandClass::full_house:
            return HandName::full;
        case HandClass::straight_flush:
            return HandName::stfl;
        case HandClass::five:
            return HandName::five;
        case HandClass::wild_royal:
        case HandClass::natural_royal:
            return HandName::royal;
        default:
            return HandName::none;
    }
}

HandClass natural_class(const RankCounts& counts, bool flush, bool wild_used) {
    unsigned ranks = 0;
    int distinct = 0;
    int pairs = 0;
    int quad = -1;
    int trips = -1;
    int kicker = -1;
    int pair_rank = -1;
    for (int r = 0; r < kRankCount; ++r) {
        const int c = counts[static_cast<std::size_t>(r)];
        if (c == 0) {
            continue;
        }
        ranks |= 1u << r;
        ++distinct;
        if (c == 5) {
            return HandClass::five;
        }
        quad = c == 4 ? r : quad;
        trips = c == 3 ? r : trips;
        kicker = c == 1 ? r : kicker;
        if (c == 2) {
            ++pairs;
            pair_rank = r;
        }
    }
    // Five ranks in a row, or the wheel; counted without a popcount instruction, which the
    // baseline target lacks.
    const bool straight =
        distinct == 5 && (ranks == kStraights[0] || ranks == 0b11111u << std::countr_zero(ranks));
    const bool broadway = ranks == kBroadway;
    if (straight && flush) {
        if (!broadway) {
            return HandClass::straight_flush;
        }
        return wild_used ? HandClass::wild_royal : HandClass::natural_royal;
    }
    if (quad >= 0) {
        return four_class(quad, kicker);
    }
    if (trips >= 0 && pairs == 1) {
        return HandClass::full_house;
    }
    if (flush) {
        return HandClass::flush;
    }
    if (straight) {
        return HandClass::straight;
    }
    if (trips >= 0) {
        return HandClass::three;
    }
    if (pairs == 2) {
        return HandClass::two_pair;
    }
    return pairs == 1 ? pair_of(pair_rank) : HandClass::nothing;
}

ReadingSets readings(const RankCounts& naturals, int wilds, bool suited, Wild wild) {
    ReadingSets out;
    if (wilds == 0) {
        out.plain = class_bit(natural_class(naturals, false, false));
        out.flush = suited ? class_bit(natural_class(naturals, true, false)) : 0;
        return out;
    }
    const WildReadings rules(naturals, wilds);
    out.plain = rules.plain();
    out.flush = suited ? rules.suited() : 0;
    if (wild == Wild::deuces && wilds == 4) {
        const ClassSet deuces =
            class_bit(naturals[kAce] == 1 ? HandClass::four_deuces_ace : HandClass::four_deuces);
        out.plain |= deuces;
        out.flush |= deuces;
    }
    return out;
}

}  // namespace quillon::odds

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

// Adds the readings of every way the wild cards left can take ranks, from `rank` up; a wild
// card taking a rank of the same suit as the others keeps the flush.
void add_readings(RankCounts& counts, int wilds_left, int rank, bool flush, ClassSet& out) {
    if (wilds_left == 0) {
        out |= class_bit(natural_class(counts, flush, true));
        return;
    }
    for (int r = rank; r < kRankCount; ++r) {
        auto& c = counts[static_cast<std::size_t>(r)];
        if (c < 5) {
            ++c;
            add_readings(counts, wilds_left - 1, r, flush, out);
            --c;
        }
    }
}

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
    bool straight = false;
    bool broadway = false;
    if (std::popcount(ranks) == 5) {
        for (const unsigned s : kStraights) {
            if (ranks == s) {
                straight = true;
                broadway = s == kBroadway;
            }
        }
    }
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

ClassSet readings(const RankCounts& naturals, int wilds, bool flush, Wild wild) {
    if (wilds == 0) {
        return class_bit(natural_class(naturals, flush, false));
    }
    ClassSet out = 0;
    RankCounts counts = naturals;
    add_readings(counts, wilds, 0, flush, out);
    if (wild == Wild::deuces && wilds == 4) {
        out |= class_bit(naturals[kAce] == 1 ? HandClass::four_deuces_ace : HandClass::four_deuces);
    }
    return out;
}

}  // namespace quillon::odds

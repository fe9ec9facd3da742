#include "odds/hand_class.h"

#include <bit>

namespace quillon::odds {

namespace {

constexpr std::array<std::string_view, kHandClassCount> kTexts = {
    "nothing",         "pair of twos",   "pair of threes", "pair of fours", "pair of fives",
    "pair of sixes",   "pair of sevens", "pair of eights", "pair of nines", "pair of tens",
    "pair of jacks",   "pair of queens", "pair of kings",  "pair of aces",  "two pair",
    "three of a kind", "straight",       "flush",          "full house",    "four of a kind",
    "straight flush",  "joker royal",    "five of a kind", "natural royal"};

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

}  // namespace

std::string_view hand_class_text(HandClass hand) {
    return kTexts[static_cast<std::size_t>(hand)];
}

HandName machine_name(HandClass hand) {
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
        case HandClass::four:
            return HandName::four;
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

HandClass class_from_counts(const std::array<std::uint8_t, kRankCount>& counts, bool joker,
                            bool flush) {
    unsigned ranks = 0;
    int most = 0;
    int pairs = 0;
    int top = -1;
    for (int r = 0; r < kRankCount; ++r) {
        const int c = counts[static_cast<std::size_t>(r)];
        if (c > 0) {
            ranks |= 1u << r;
            top = r;
        }
        most = c > most ? c : most;
        pairs += c == 2 ? 1 : 0;
    }
    const int distinct = std::popcount(ranks);
    // With the joker the four natural cards need only fit inside one of the straights.
    bool straight = false;
    bool broadway = false;
    if (distinct == (joker ? 4 : 5)) {
        for (const unsigned s : kStraights) {
            if ((ranks & ~s) == 0) {
                straight = true;
                broadway = broadway || s == kBroadway;
            }
        }
    }
    if (!joker) {
        if (straight && flush) {
            return broadway ? HandClass::natural_royal : HandClass::straight_flush;
        }
        if (most == 4) {
            return HandClass::four;
        }
        if (most == 3) {
            return pairs == 1 ? HandClass::full_house : HandClass::three;
        }
        if (flush) {
            return HandClass::flush;
        }
        if (straight) {
            return HandClass::straight;
        }
        if (pairs == 2) {
            return HandClass::two_pair;
        }
        if (pairs == 1) {
            for (int r = 0; r < kRankCount; ++r) {
                if (counts[static_cast<std::size_t>(r)] == 2) {
                    return pair_of(r);
                }
            }
        }
        return HandClass::nothing;
    }
    if (most == 4) {
        return HandClass::five;
    }
    if (straight && flush) {
        return broadway ? HandClass::wild_royal : HandClass::straight_flush;
    }
    if (most == 3) {
        return HandClass::four;
    }
    if (pairs == 2) {
        return HandClass::full_house;
    }
    if (flush) {
        return HandClass::flush;
    }
    if (straight) {
        return HandClass::straight;
    }
    if (pairs == 1) {
        return HandClass::three;
    }
    // Four odd cards: the joker pairs the highest of them.
    return pair_of(top);
}

}  // namespace quillon::odds

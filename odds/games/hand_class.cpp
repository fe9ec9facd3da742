#include "odds/games/hand_class.h"

#include <bit>
#include <string>
#include <string_view>
#include <utility>

#include "base/ranks.h"

namespace quillon::odds {

namespace {

// The words of the classes that stand for one hand alone; the others name their ranks.
constexpr std::pair<HandClass, std::string_view> kClassWords[] = {
    {HandClass::two_pair, "two pair"},
    {HandClass::three, "three of a kind"},
    {HandClass::straight, "straight"},
    {HandClass::flush, "flush"},
    {HandClass::full_house, "full house"},
    {HandClass::straight_flush, "straight flush"},
    {HandClass::wild_royal, "wild royal"},
    {HandClass::natural_royal, "natural royal"},
    {HandClass::five_wilds, "four deuces and a joker"},
};

std::string class_text(HandClass hand) {
    if (is_pair(hand)) {
        return "pair of " + std::string(kRankPlurals[static_cast<std::size_t>(pair_rank(hand))]);
    }
    if (is_four_of_a_kind(hand)) {
        return "four " + std::string(kRankPlurals[static_cast<std::size_t>(four_rank(hand))]) +
               " with " + std::string(kRankSingulars[static_cast<std::size_t>(four_kicker(hand))]);
    }
    if (is_five_of_a_kind(hand)) {
        return "five " + std::string(kRankPlurals[static_cast<std::size_t>(five_rank(hand))]);
    }
    if (is_four_deuces(hand)) {
        return "four deuces with " +
               std::string(kRankSingulars[static_cast<std::size_t>(four_kicker(hand))]);
    }
    for (const auto& [named, text] : kClassWords) {
        if (hand == named) {
            return std::string(text);
        }
    }
    return "nothing";
}

const std::array<std::string, kHandClassCount>& class_texts() {
    static const std::array<std::string, kHandClassCount> texts = [] {
        std::array<std::string, kHandClassCount> out;
        for (std::size_t c = 0; c < kHandClassCount; ++c) {
            out[c] = class_text(static_cast<HandClass>(c));
        }
        return out;
    }();
    return texts;
}

constexpr const auto& kStraights = kStraightMasks;
constexpr unsigned kBroadway = kStraights[9];

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
        ClassSet out;
        // Five of a kind of the one natural rank, or of any rank where every card is wild.
        const int distinct = singles_ + paired_ranks();
        for (int r = 0; r < kRankCount && distinct <= 1; ++r) {
            out |= count(r) > 0 || cards_ == 0 ? class_bit(five_of(r)) : ClassSet{};
        }
        if (singles_ == cards_) {
            out |= class_bit(HandClass::nothing);
            for (const unsigned s : kStraights) {
                out |= (mask_ & ~s) == 0 ? class_bit(HandClass::straight) : ClassSet{};
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
            return {};
        }
        const int others = cards_ - count(r);
        if (others == 1) {
            for (int k = 0; k < kRankCount; ++k) {
                if (k != r && count(k) == 1) {
                    return class_bit(four_of(r, k));
                }
            }
        }
        // The fifth card is a wild one: any rank but r.
        ClassSet out;
        for (int k = 0; k < kRankCount && others == 0; ++k) {
            out |= k != r ? class_bit(four_of(r, k)) : ClassSet{};
        }
        return out;
    }

    // Three of r and two more cards of different ranks.
    ClassSet threes(int r) const {
        if (needed(r, 3) > wilds_) {
            return {};
        }
        const int others = cards_ - count(r);
        return others == singles_ - (count(r) == 1 ? 1 : 0) ? class_bit(HandClass::three)
                                                            : ClassSet{};
    }

    // A pair of r and three more cards of different ranks.
    ClassSet pairs(int r) const {
        if (needed(r, 2) > wilds_) {
            return {};
        }
        const int others = cards_ - count(r);
        return others == singles_ - (count(r) == 1 ? 1 : 0) ? class_bit(pair_of(r)) : ClassSet{};
    }

    ClassSet full_house(int t, int p) const {
        const bool fits = needed(t, 3) + needed(p, 2) <= wilds_ && count(t) + count(p) == cards_;
        return fits ? class_bit(HandClass::full_house) : ClassSet{};
    }

    // Pairs of a and b and a fifth card of another rank.
    ClassSet two_pair(int a, int b) const {
        if (needed(a, 2) + needed(b, 2) > wilds_) {
            return {};
        }
        const int others = cards_ - count(a) - count(b);
        const int other_singles = singles_ - (count(a) == 1 ? 1 : 0) - (count(b) == 1 ? 1 : 0);
        return others == other_singles ? class_bit(HandClass::two_pair) : ClassSet{};
    }

    const RankCounts& n_;
    const int wilds_;
    int cards_ = 0;
    unsigned mask_ = 0;
    int singles_ = 0;
};

}  // namespace

std::string_view hand_class_text(HandClass hand) {
    return class_texts()[static_cast<std::size_t>(hand)];
}

HandClass natural_class(const RankCounts& counts, bool flush, bool wild_used) {
    // The ranks dealt, as bits, how many and how many pairs; then the rank of the four, of the
    // three, of the highest single card and of the highest pair, -1 where there is none.
    unsigned ranks = 0;
    int distinct = 0, pairs = 0;
    int quad = -1, trips = -1, kicker = -1, paired = -1;
    for (int r = 0; r < kRankCount; ++r) {
        const int c = counts[static_cast<std::size_t>(r)];
        if (c == 0) {
            continue;
        }
        ranks |= 1u << r;
        ++distinct;
        if (c == 5) {
            return five_of(r);
        }
        quad = c == 4 ? r : quad;
        trips = c == 3 ? r : trips;
        kicker = c == 1 ? r : kicker;
        if (c == 2) {
            ++pairs;
            paired = r;
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
        return four_of(quad, kicker);
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
    return pairs == 1 ? pair_of(paired) : HandClass::nothing;
}

ReadingSets readings(const RankCounts& naturals, int wilds, bool suited, Wild wild, int jokers) {
    ReadingSets out;
    if (wilds == 0) {
        out.plain = class_bit(natural_class(naturals, false, false));
        out.flush = suited ? class_bit(natural_class(naturals, true, false)) : ClassSet{};
        return out;
    }
    const WildReadings rules(naturals, wilds);
    out.plain = rules.plain();
    out.flush = suited ? rules.suited() : ClassSet{};
    // Where the 2s are wild there are no natural twos: four twos are the four deuces alone, and
    // deuces and a joker standing in for twos make no hand of their own (five of the kicker's
    // rank is better).
    if (deuces_wild(wild) && wilds - jokers < 4) {
        ClassSet twos;
        for (int k = 0; k < kRankCount; ++k) {
            twos.add(four_of(0, k));
        }
        out.plain &= ~twos;
        out.flush &= ~twos;
    }
    // The four 2s are a hand of their own beside their kicker; beside the joker, which may be
    // any kicker, they are also the five wild cards.
    if (deuces_wild(wild) && wilds - jokers == 4) {
        ClassSet deuces;
        if (jokers == 0) {
            int kicker = 0;
            for (int r = 1; r < kRankCount; ++r) {
                kicker = naturals[static_cast<std::size_t>(r)] == 1 ? r : kicker;
            }
            deuces.add(four_deuces_with(kicker));
        } else {
            for (int k = 1; k < kRankCount; ++k) {
                deuces.add(four_deuces_with(k));
            }
            deuces.add(HandClass::five_wilds);
        }
        out.plain |= deuces;
        out.flush |= deuces;
    }
    return out;
}

}  // namespace quillon::odds

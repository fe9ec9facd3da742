#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/ranks.h"

namespace quillon::odds {

// Which cards are wild: none, the joker of a 53-card deck, the four 2s of a 52-card deck, the two
// jokers of a 54-card deck, or the four 2s and the joker of a 53-card deck.
enum class Wild : std::uint8_t { none, joker, deuces, two_jokers, deuces_joker };

// Each kind's words, by Wild, as a pay-table file's "wild" line and the reports write them.
inline constexpr std::array<std::string_view, 5> kWildWords = {"none", "joker", "deuces", "jokers",
                                                               "deuces joker"};
constexpr std::string_view wild_words(Wild wild) {
    return kWildWords[static_cast<std::size_t>(wild)];
}

// The jokers in the deck: the cards past the 52 natural ones.
constexpr int joker_count(Wild wild) {
    switch (wild) {
        case Wild::joker:
        case Wild::deuces_joker:
            return 1;
        case Wild::two_jokers:
            return 2;
        default:
            return 0;
    }
}
constexpr bool deuces_wild(Wild wild) {
    return wild == Wild::deuces || wild == Wild::deuces_joker;
}
// Every wild card of the deck.
constexpr int wild_card_count(Wild wild) {
    return joker_count(wild) + (deuces_wild(wild) ? 4 : 0);
}

// The odds engine's own hand classes, weakest first. They are finer than any one pay table needs
// (a pair keeps its rank, four of a kind its rank and its kicker's rank, five of a kind its
// rank, a wild royal stays apart from a natural one) so that each table only has to group them
// into its rows. The classes between the named ones are reached through pair_of, four_of,
// five_of and four_deuces_with.
enum class HandClass : std::uint8_t {
    nothing = 0,
    pair_2 = 1,
    pair_jack = pair_2 + 9,
    pair_king = pair_2 + 11,
    pair_ace = pair_2 + kAce,
    two_pair,
    three,
    straight,
    flush,
    full_house,
    // Four of rank q beside a kicker of rank k is first_four + 13 q + k. The slots with k equal
    // to q are never dealt; a table's four lines take them in like their neighbours.
    first_four,
    straight_flush = first_four + kRankCount * kRankCount,
    wild_royal,
    // Five of a kind of rank r is first_five + r.
    first_five,
    // Deuces wild: the four 2s beside a card of rank k are first_four_deuces + k (k above 0).
    first_four_deuces = first_five + kRankCount,
    natural_royal = first_four_deuces + kRankCount,
    // Deuces and a joker wild: the four 2s beside the joker.
    five_wilds,
};

inline constexpr std::size_t kHandClassCount = static_cast<std::size_t>(HandClass::five_wilds) + 1;

constexpr HandClass class_at(int offset, HandClass first) {
    return static_cast<HandClass>(static_cast<int>(first) + offset);
}
constexpr int offset_of(HandClass hand, HandClass first) {
    return static_cast<int>(hand) - static_cast<int>(first);
}

// The pair class of an engine rank.
constexpr HandClass pair_of(int rank) {
    return class_at(rank, HandClass::pair_2);
}
constexpr HandClass four_of(int rank, int kicker) {
    return class_at(rank * kRankCount + kicker, HandClass::first_four);
}
constexpr HandClass five_of(int rank) {
    return class_at(rank, HandClass::first_five);
}
constexpr HandClass four_deuces_with(int kicker) {
    return class_at(kicker, HandClass::first_four_deuces);
}

constexpr bool is_pair(HandClass hand) {
    return hand >= HandClass::pair_2 && hand <= HandClass::pair_ace;
}
// Four of a kind of natural rank (not the four wild deuces).
constexpr bool is_four_of_a_kind(HandClass hand) {
    return hand >= HandClass::first_four && hand < HandClass::straight_flush;
}
constexpr bool is_five_of_a_kind(HandClass hand) {
    return hand >= HandClass::first_five && hand < HandClass::first_four_deuces;
}
constexpr bool is_four_deuces(HandClass hand) {
    return hand >= HandClass::first_four_deuces && hand < HandClass::natural_royal;
}
// The rank of a pair, of four or five of a kind; the rank of a four's kicker.
constexpr int pair_rank(HandClass hand) {
    return offset_of(hand, HandClass::pair_2);
}
constexpr int four_rank(HandClass hand) {
    return offset_of(hand, HandClass::first_four) / kRankCount;
}
constexpr int four_kicker(HandClass hand) {
    return is_four_deuces(hand) ? offset_of(hand, HandClass::first_four_deuces)
                                : offset_of(hand, HandClass::first_four) % kRankCount;
}
constexpr int five_rank(HandClass hand) {
    return offset_of(hand, HandClass::first_five);
}

// A set of classes: the readings of a hand with wild cards in it, or what a pay line takes in.
class ClassSet {
  public:
    constexpr ClassSet() = default;

    constexpr void add(HandClass hand) {
        const auto c = static_cast<std::size_t>(hand);
        words_[c / 64] |= std::uint64_t{1} << (c % 64);
    }
    constexpr bool has(HandClass hand) const {
        const auto c = static_cast<std::size_t>(hand);
        return (words_[c / 64] >> (c % 64) & 1u) != 0;
    }
    constexpr bool empty() const { return (words_[0] | words_[1] | words_[2] | words_[3]) == 0; }
    constexpr int size() const {
        int n = 0;
        for (const std::uint64_t w : words_) {
            n += std::popcount(w);
        }
        return n;
    }
    // Whether every class here is also in `other`.
    constexpr bool within(const ClassSet& other) const { return (*this & ~other).empty(); }

    constexpr ClassSet& operator|=(const ClassSet& other) {
        for (std::size_t i = 0; i < kWords; ++i) {
            words_[i] |= other.words_[i];
        }
        return *this;
    }
    constexpr ClassSet& operator&=(const ClassSet& other) {
        for (std::size_t i = 0; i < kWords; ++i) {
            words_[i] &= other.words_[i];
        }
        return *this;
    }
    friend constexpr ClassSet operator|(ClassSet a, const ClassSet& b) { return a |= b; }
    friend constexpr ClassSet operator&(ClassSet a, const ClassSet& b) { return a &= b; }
    friend constexpr ClassSet operator~(ClassSet a) {
        for (std::uint64_t& w : a.words_) {
            w = ~w;
        }
        return a;
    }
    constexpr bool operator==(const ClassSet&) const = default;

    // Calls f with every class of the set, weakest first.
    template <typename F>
    constexpr void for_each(F f) const {
        for (std::size_t i = 0; i < kWords; ++i) {
            for (std::uint64_t w = words_[i]; w != 0; w &= w - 1) {
                const auto c = i * 64 + static_cast<std::size_t>(std::countr_zero(w));
                if (c < kHandClassCount) {
                    f(static_cast<HandClass>(c));
                }
            }
        }
    }

  private:
    static constexpr std::size_t kWords = 4;
    static_assert(kHandClassCount <= kWords * 64);
    std::array<std::uint64_t, kWords> words_{};
};

constexpr ClassSet class_bit(HandClass hand) {
    ClassSet set;
    set.add(hand);
    return set;
}

// "pair of jacks", "four sevens with a king", "straight flush", ...
std::string_view hand_class_text(HandClass hand);

using RankCounts = std::array<std::uint8_t, kRankCount>;

// The class of five cards without wild cards from their rank counts (a count of five is five of
// a kind) and whether they follow one suit; `wild_used` marks a royal made with a wild card.
HandClass natural_class(const RankCounts& counts, bool flush, bool wild_used);

// Every class that five cards can be read as: the natural cards' rank counts and how many wild
// cards stand beside them (`jokers` of them jokers, the rest deuces where deuces are wild), first
// with the natural cards in several suits, then (where `suited`: natural cards of distinct ranks)
// in one suit. Without wild cards that is the one natural class. This is the plain, slow rule
// book the fast classifier's tables are filled from.
struct ReadingSets {
    ClassSet plain;
    ClassSet flush;
};
ReadingSets readings(const RankCounts& naturals, int wilds, bool suited, Wild wild, int jokers = 0);

}  // namespace quillon::odds

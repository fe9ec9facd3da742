#include "odds/play/hold_analysis.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <type_traits>

#include "base/combinatorics.h"

namespace quillon::odds {

namespace {

using Counts = Tallies::Lanes<std::int32_t>;
constexpr unsigned kWholeDeal = kHoldCount - 1;

template <typename T>
void widen(const Tallies::Lanes<T>& from, Counts& to) {
    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
        to[lane] = static_cast<std::int32_t>(from[lane]);
    }
}

// The holds of each size, so that each size reads its own tally without a branch per hold.
struct MasksBySize {
    std::array<std::array<std::uint8_t, 10>, 6> masks{};
    std::array<std::size_t, 6> count{};
};
constexpr MasksBySize masks_by_size() {
    MasksBySize m;
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        const std::size_t size = kHoldSize[mask];
        m.masks[size][m.count[size]++] = static_cast<std::uint8_t>(mask);
    }
    return m;
}
constexpr MasksBySize kBySize = masks_by_size();

// The supersets of each hold among the deal's 32 subsets, by size.
struct Supersets {
    std::array<std::array<std::uint8_t, 10>, 6> masks{};
    std::array<std::size_t, 6> count{};
};
constexpr std::array<Supersets, kHoldCount> kSupersets = [] {
    std::array<Supersets, kHoldCount> all{};
    for (unsigned hold = 0; hold < kHoldCount; ++hold) {
        for (unsigned mask = 0; mask < kHoldCount; ++mask) {
            if ((mask & hold) == hold) {
                Supersets& s = all[hold];
                const std::size_t size = kHoldSize[mask];
                s.masks[size][s.count[size]++] = static_cast<std::uint8_t>(mask);
            }
        }
    }
    return all;
}();

template <typename T, typename Sum>
void add_lanes(const Tallies::Lanes<T>& from, Tallies::Lanes<Sum>& to) {
    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
        to[lane] = static_cast<Sum>(to[lane] + from[lane]);
    }
}

// Turns the tallies of all 32 subsets of the deal into the counts of the hands that hold each
// subset and avoid the rest of the deal: one dealt card at a time, drop the hands holding it.
// The masks without card `bit` come in runs of `bit` below the same masks with it, so each card
// is one run after another, unrolled whole: no test of the bit per mask.
template <unsigned Bit, typename Lane>
void exclude_card(std::array<Lane, kHoldCount>& t) {
#pragma GCC unroll 32
    for (unsigned run = 0; run < kHoldCount; run += 2 * Bit) {
#pragma GCC unroll 16
        for (unsigned mask = run; mask < run + Bit; ++mask) {
            if constexpr (std::is_integral_v<Lane>) {
                t[mask] -= t[mask + Bit];
            } else {
                // A copy tells the compiler the two rows do not overlap, so it vectorizes.
                const Lane drop = t[mask + Bit];
                Lane& keep = t[mask];
                for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
                    keep[lane] -= drop[lane];
                }
            }
        }
    }
}

template <typename Lane>
void exclude_discards(std::array<Lane, kHoldCount>& t) {
    exclude_card<1>(t);
    exclude_card<2>(t);
    exclude_card<4>(t);
    exclude_card<8>(t);
    exclude_card<16>(t);
}

}  // namespace

SortedDeal::SortedDeal(const std::array<int, 5>& sorted_cards) : cards(sorted_cards) {
    // The masks whose highest card is card j extend the masks below it by that card.
    for (std::size_t j = 0; j < 5; ++j) {
        const auto& column = kChoose[static_cast<std::size_t>(cards[j])];
        for (unsigned low = 0; low < (1u << j); ++low) {
            rank[low | 1u << j] = rank[low] + column[kHoldSize[low] + 1u];
        }
    }
}

int HoldOutcome::kept() const {
    return kHoldSize[mask];
}

bool pays_more(const HoldOutcome& a, const HoldOutcome& b) {
    return a.pay_total * b.draws > b.pay_total * a.draws;
}

void value_holds(const Tallies& tallies, const SortedDeal& deal, HoldValues& out) {
    const auto& rank = deal.rank;
    out[0] = tallies.none().value;
    for (std::size_t i = 0; i < 5; ++i) {
        const std::uint8_t one = kBySize.masks[1][i];
        const std::uint8_t four = kBySize.masks[4][i];
        out[one] = tallies.one(rank[one]).value;
        out[four] = tallies.four(rank[four]).value;
    }
    for (std::size_t i = 0; i < 10; ++i) {
        const std::uint8_t two = kBySize.masks[2][i];
        const std::uint8_t three = kBySize.masks[3][i];
        out[two] = tallies.two(rank[two]).value;
        out[three] = tallies.three(rank[three]).value;
    }
    out[kWholeDeal] = tallies.game().pay(tallies.row_of_hand(deal.cards));
    exclude_discards(out);
}

void count_holds(const Tallies& tallies, const SortedDeal& deal, HoldCounts& out) {
    const auto& rank = deal.rank;
    widen(tallies.none().counts, out[0]);
    for (std::size_t i = 0; i < 5; ++i) {
        const std::uint8_t one = kBySize.masks[1][i];
        const std::uint8_t four = kBySize.masks[4][i];
        widen(tallies.one(rank[one]).counts, out[one]);
        widen(tallies.four(rank[four]).counts, out[four]);
    }
    for (std::size_t i = 0; i < 10; ++i) {
        const std::uint8_t two = kBySize.masks[2][i];
        const std::uint8_t three = kBySize.masks[3][i];
        widen(tallies.two(rank[two]).counts, out[two]);
        widen(tallies.three(rank[three]).counts, out[three]);
    }
    out[kWholeDeal] = {};
    out[kWholeDeal][tallies.row_of_hand(deal.cards)] = 1;
    exclude_discards(out);
}

Tallies::Lanes<std::int32_t> count_hold(const Tallies& tallies, const SortedDeal& deal,
                                        HoldMask hold) {
    // Every superset of the hold inside the deal, the hold's own size added, the next taken away:
    // the supersets of each size summed apart, unsigned and without a branch on their size, and
    // signed once at the end. A four-card set's lanes count at most 49 hands and a three-card
    // set's 1,225, so five and ten of them fit 16 bits.
    const Supersets& supersets = kSupersets[hold];
    const auto& rank = deal.rank;
    Tallies::Lanes<std::uint16_t> fours{};
    for (std::size_t i = 0; i < supersets.count[4]; ++i) {
        add_lanes(tallies.four(rank[supersets.masks[4][i]]).counts, fours);
    }
    Tallies::Lanes<std::uint16_t> threes{};
    for (std::size_t i = 0; i < supersets.count[3]; ++i) {
        add_lanes(tallies.three(rank[supersets.masks[3][i]]).counts, threes);
    }
    Tallies::Lanes<std::uint32_t> rest{};
    Tallies::Lanes<std::uint32_t> rest_odd{};
    for (std::size_t i = 0; i < supersets.count[2]; ++i) {
        add_lanes(tallies.two(rank[supersets.masks[2][i]]).counts, rest);
    }
    for (std::size_t i = 0; i < supersets.count[1]; ++i) {
        add_lanes(tallies.one(rank[supersets.masks[1][i]]).counts, rest_odd);
    }
    if (hold == 0) {
        add_lanes(tallies.none().counts, rest);
    }
    // Sizes of the hold's parity count up, the others down.
    const bool odd = (kHoldSize[hold] & 1u) != 0;
    Counts out{};
    for (std::size_t lane = 0; lane < Tallies::kLanes; ++lane) {
        const auto even_sizes =
            static_cast<std::int32_t>(fours[lane]) + static_cast<std::int32_t>(rest[lane]);
        const auto odd_sizes =
            static_cast<std::int32_t>(threes[lane]) + static_cast<std::int32_t>(rest_odd[lane]);
        out[lane] = odd ? odd_sizes - even_sizes : even_sizes - odd_sizes;
    }
    out[tallies.row_of_hand(deal.cards)] += odd ? 1 : -1;
    return out;
}

int card_order(CardId card) {
    if (card.is_joker()) {
        return 4 * 15;
    }
    const int rank = card.rank() == 1 ? 14 : card.rank();
    return 4 * rank + static_cast<int>(card.suit());
}

namespace {

// Every order five cards can come in, by its code: for each card, the cards after it that are
// lower in card order (0 to 4 for the first, down to 0 or 1 for the fourth), place values 24, 6, 2
// and 1. Each order's places: a card's bit is one shifted by the cards below it, a hold's place
// the sum of its cards' bits.
constexpr std::array<HoldPlaces, 120> kPlacesByOrder = [] {
    std::array<HoldPlaces, 120> table{};
    for (unsigned code = 0; code < 120; ++code) {
        const std::array<unsigned, 4> later_lower{code / 24, code / 6 % 4, code / 2 % 3, code % 2};
        std::array<unsigned, 5> left{0, 1, 2, 3, 4};
        std::array<unsigned, 5> below{};
        unsigned count = 5;
        for (std::size_t i = 0; i < 5; ++i) {
            const unsigned pick = i < 4 ? later_lower[i] : 0;
            below[i] = left[pick];
            for (unsigned k = pick; k + 1 < count; ++k) {
                left[k] = left[k + 1];
            }
            --count;
        }
        for (unsigned mask = 0; mask < kHoldCount; ++mask) {
            unsigned key = 0;
            for (std::size_t i = 0; i < 5; ++i) {
                key += (mask >> i & 1u) != 0 ? 1u << below[i] : 0u;
            }
            table[code][mask] = static_cast<std::uint8_t>(key);
        }
    }
    return table;
}();

}  // namespace

HoldPlaces hold_places(const std::array<CardId, 5>& cards) {
    std::array<int, 5> order{};
    for (std::size_t i = 0; i < 5; ++i) {
        order[i] = card_order(cards[i]);
    }
    constexpr std::array<unsigned, 4> kWeight{24, 6, 2, 1};
    unsigned code = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        for (std::size_t j = i + 1; j < 5; ++j) {
            code += order[j] < order[i] ? kWeight[i] : 0u;
        }
    }
    return kPlacesByOrder[code];
}

HoldPlaces hold_places(const SortedDeal& deal, bool joker) {
    std::array<CardId, 5> cards{};
    for (std::size_t i = 0; i < 5; ++i) {
        cards[i] = deck_card(deal.cards[i], joker);
    }
    return hold_places(cards);
}

HoldMask best_hold(const HoldValues& pay_totals, int cards_left, const HoldPlaces& places) {
    // The holds that keep as many cards draw alike, so their totals compare as they are: the best
    // of each size first, in six chains apart, then the six against each other.
    std::array<unsigned, 6> top{0, 0, 0, 0, 0, kWholeDeal};
    std::array<std::int64_t, 6> top_total{pay_totals[0], 0, 0, 0, 0, pay_totals[kWholeDeal]};
    for (std::size_t size = 1; size < 5; ++size) {
        top[size] = kBySize.masks[size][0];
        top_total[size] = pay_totals[top[size]];
        for (std::size_t i = 1; i < kBySize.count[size]; ++i) {
            const unsigned mask = kBySize.masks[size][i];
            const bool more =
                pay_totals[mask] > top_total[size] ||
                (pay_totals[mask] == top_total[size] && places[mask] < places[top[size]]);
            top[size] = more ? mask : top[size];
            top_total[size] = more ? pay_totals[mask] : top_total[size];
        }
    }
    unsigned best = 0;
    std::int64_t best_total = top_total[0];
    std::int64_t best_draws = static_cast<std::int64_t>(choose(cards_left, 5));
    for (std::size_t size = 1; size <= 5; ++size) {
        const auto draws =
            static_cast<std::int64_t>(choose(cards_left, 5 - static_cast<int>(size)));
        const std::int64_t mine = top_total[size] * best_draws;
        const std::int64_t theirs = best_total * draws;
        if (mine > theirs || (mine == theirs && places[top[size]] < places[best])) {
            best = top[size];
            best_total = top_total[size];
            best_draws = draws;
        }
    }
    return static_cast<HoldMask>(best);
}

HoldMask best_hold(const Tallies& tallies, const SortedDeal& deal, const HoldValues& pay_totals) {
    return best_hold(pay_totals, tallies.deck_size() - 5,
                     hold_places(deal, tallies.game().has_joker()));
}

namespace {

// is_best_hold, with `places_of()` giving the holds' places in card order, asked for only where
// the hold returns exactly as much as another.
template <typename PlacesOf>
bool is_best_of(const HoldValues& pay_totals, int cards_left, HoldMask hold, PlacesOf&& places_of) {
    // The greatest total of the other holds of each size: holds of one size draw alike, so their
    // totals compare as they are. Drawing five and standing pat are the only holds of their size.
    constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::min();
    std::array<std::int64_t, 6> top{kNone, kNone, kNone, kNone, kNone, kNone};
#pragma GCC unroll 32
    for (unsigned mask = 0; mask < kHoldCount; ++mask) {
        std::int64_t& most = top[kHoldSize[mask]];
        most = std::max(most, mask == hold ? kNone : pay_totals[mask]);
    }
    // Returns of holds of different sizes compare as each total times the other's draws.
    const std::int64_t mine = pay_totals[hold];
    const auto my_draws = static_cast<std::int64_t>(choose(cards_left, 5 - kHoldSize[hold]));
    unsigned tied = 0;
    for (std::size_t size = 0; size <= 5; ++size) {
        if (top[size] == kNone) {
            continue;
        }
        const std::int64_t theirs = top[size] * my_draws;
        const std::int64_t against =
            mine * static_cast<std::int64_t>(choose(cards_left, 5 - static_cast<int>(size)));
        if (theirs > against) {
            return false;
        }
        tied |= theirs == against ? 1u << size : 0u;
    }
    if (tied == 0) {
        return true;
    }
    // Of holds that return exactly the same, the first in card order.
    const HoldPlaces places = places_of();
    for (std::size_t size = 0; size <= 5; ++size) {
        for (std::size_t i = 0; (tied >> size & 1u) != 0 && i < kBySize.count[size]; ++i) {
            const unsigned mask = kBySize.masks[size][i];
            if (mask != hold && pay_totals[mask] == top[size] && places[mask] < places[hold]) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

bool is_best_hold(const HoldValues& pay_totals, int cards_left, HoldMask hold,
                  const HoldPlaces& places) {
    return is_best_of(pay_totals, cards_left, hold, [&] { return places; });
}

bool is_best_hold(const Tallies& tallies, const SortedDeal& deal, const HoldValues& pay_totals,
                  HoldMask hold) {
    return is_best_of(pay_totals, tallies.deck_size() - 5, hold,
                      [&] { return hold_places(deal, tallies.game().has_joker()); });
}

std::array<HoldOutcome, kHoldCount> analyze_deal(const Tallies& tallies,
                                                 const std::array<CardId, 5>& deal) {
    const bool joker = tallies.game().has_joker();
    std::array<int, 5> order{0, 1, 2, 3, 4};
    std::array<int, 5> index{};
    for (std::size_t i = 0; i < 5; ++i) {
        if (!in_deck(deal[i], tallies.game().jokers())) {
            throw std::invalid_argument(joker ? "this game's deck has one joker"
                                              : "this game's deck has no joker");
        }
        index[i] = deck_index(deal[i], joker);
    }
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return index[static_cast<std::size_t>(a)] < index[static_cast<std::size_t>(b)];
    });
    std::array<int, 5> sorted{};
    for (std::size_t i = 0; i < 5; ++i) {
        sorted[i] = index[static_cast<std::size_t>(order[i])];
        if (i > 0 && sorted[i] == sorted[i - 1]) {
            throw std::invalid_argument("a card is dealt twice");
        }
    }
    const SortedDeal sorted_deal(sorted);
    HoldCounts counts;
    count_holds(tallies, sorted_deal, counts);
    HoldValues values;
    value_holds(tallies, sorted_deal, values);

    const int left = tallies.deck_size() - 5;
    std::array<HoldOutcome, kHoldCount> holds;
    for (unsigned s = 0; s < kHoldCount; ++s) {
        unsigned mask = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            mask |= (s >> i & 1u) << order[i];
        }
        HoldOutcome& h = holds[mask];
        h.mask = static_cast<HoldMask>(mask);
        h.counts = counts[s];
        h.draws = static_cast<std::int64_t>(choose(left, 5 - kHoldSize[s]));
        h.pay_total = values[s];
        h.pay_scale = tallies.game().pay_scale();
    }
    return holds;
}

std::vector<HoldOutcome> holds_best_first(const std::array<HoldOutcome, kHoldCount>& holds,
                                          const std::array<CardId, 5>& deal) {
    const HoldPlaces places = hold_places(deal);
    std::vector<HoldOutcome> sorted(holds.begin(), holds.end());
    std::sort(sorted.begin(), sorted.end(), [&](const HoldOutcome& a, const HoldOutcome& b) {
        return pays_more(a, b) || (!pays_more(b, a) && places[a.mask] < places[b.mask]);
    });
    return sorted;
}

}  // namespace quillon::odds

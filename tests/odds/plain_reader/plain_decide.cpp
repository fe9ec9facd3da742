// The plain reader at the table: each line of the chart in turn, the holds its words fit, and the
// header's tie rule among them.

#include <algorithm>
#include <bit>

#include "base/ranks.h"
#include "tests/odds/plain_reader/plain_chart.h"

namespace quillon::odds::plain {

namespace {

constexpr unsigned kRoyalRanks = 0x1fu << kTen;

// What a hold keeps, as a player counts it.
struct Hold {
    std::uint8_t mask = 0;
    int size = 0;
    int wild = 0;
    int naturals = 0;
    unsigned ranks = 0;  // the natural cards' ranks
    bool distinct = true;
    bool suited = true;  // the natural cards share one suit
    Suit suit = Suit::joker;
    std::array<int, kRankCount> count{};
    // Whether a natural card thrown away has the suit of the natural cards kept.
    bool flush_penalty = false;
};

Hold hold_of(const Table& table, const std::array<CardId, 5>& deal, std::uint8_t mask) {
    Hold h;
    h.mask = mask;
    for (std::size_t i = 0; i < 5; ++i) {
        const CardId c = deal[i];
        if ((mask >> i & 1u) == 0) {
            continue;
        }
        ++h.size;
        if (table.wild(c)) {
            ++h.wild;
            continue;
        }
        const int r = engine_rank(c.rank());
        h.distinct = h.distinct && h.count[static_cast<std::size_t>(r)] == 0;
        ++h.count[static_cast<std::size_t>(r)];
        h.ranks |= 1u << r;
        h.suited = h.suited && (h.naturals == 0 || c.suit() == h.suit);
        h.suit = c.suit();
        ++h.naturals;
    }
    for (std::size_t i = 0; i < 5; ++i) {
        const CardId c = deal[i];
        if ((mask >> i & 1u) == 0 && !table.wild(c) && h.naturals > 0 && h.suited) {
            h.flush_penalty = h.flush_penalty || c.suit() == h.suit;
        }
    }
    return h;
}

// The straights that hold every rank of `ranks`.
int straights_holding(unsigned ranks, bool no_two) {
    int n = 0;
    for (const unsigned s : kStraightMasks) {
        n += (ranks & ~s) == 0 && !(no_two && (s & 1u) != 0) ? 1 : 0;
    }
    return n;
}

// Ranks missing between the lowest and the highest card, the ace low where that is shorter.
int gaps_of(unsigned ranks, int cards) {
    int span = std::bit_width(ranks) - std::countr_zero(ranks);
    if ((ranks >> kAce & 1u) != 0) {
        const unsigned rest = ranks & ~(1u << kAce);
        span = std::min(span, rest == 0 ? 1 : static_cast<int>(std::bit_width(rest)) + 1);
    }
    return span - cards;
}

// The ranks that would fill four cards to a straight: natural cards only.
int fills_of(unsigned ranks, unsigned naturals) {
    int n = 0;
    for (int r = 0; r < kRankCount; ++r) {
        const unsigned with = ranks | 1u << r;
        if ((ranks >> r & 1u) != 0 || (naturals >> r & 1u) == 0) {
            continue;
        }
        n += std::find(kStraightMasks.begin(), kStraightMasks.end(), with) != kStraightMasks.end()
                 ? 1
                 : 0;
    }
    return n;
}

int high_of(unsigned ranks, unsigned high) {
    return std::popcount(ranks & high);
}

// The modifiers a draw's, a named card's or a set's words add.
bool modifiers_fit(const Line& line, const Hold& h, const Chart& chart) {
    const int high = high_of(h.ranks, chart.high);
    const int gaps =
        h.naturals > 0 && straights_holding(h.ranks, false) > 0 ? gaps_of(h.ranks, h.naturals) : 0;
    if (line.mixed && (h.suited || h.naturals < 2)) {
        return false;
    }
    if (line.no_straight && straights_holding(h.ranks, false) > 0) {
        return false;
    }
    if (line.gaps >= 0 && gaps != line.gaps) {
        return false;
    }
    if (line.high >= 0 && (line.high_or_more ? high < line.high : high != line.high)) {
        return false;
    }
    if ((line.high_against_gaps == 1 && high < gaps) ||
        (line.high_against_gaps == 2 && high >= gaps)) {
        return false;
    }
    if (line.not_two_gaps_no_high && gaps == 2 && high == 0) {
        return false;
    }
    const auto listed = [&](const std::vector<unsigned>& sets) {
        return std::find(sets.begin(), sets.end(), h.ranks) != sets.end();
    };
    if ((!line.only_ranks.empty() && !listed(line.only_ranks)) || listed(line.not_ranks)) {
        return false;
    }
    if (line.ace >= 0 && ((h.ranks >> kAce & 1u) != 0) != (line.ace == 1)) {
        return false;
    }
    if (line.tops != 0 && (line.tops >> (std::bit_width(h.ranks) - 1) & 1u) == 0) {
        return false;
    }
    if (line.top_card != 0) {
        // The highest natural card, an ace counting one where other cards are kept beside it.
        const unsigned rest = h.ranks & ~(1u << kAce);
        const int top = rest != 0 ? std::bit_width(rest) - 1 : h.ranks != 0 ? kAce : -1;
        if ((top <= engine_rank(6)) != (line.top_card == 1)) {
            return false;
        }
    }
    return line.penalty < 0 || h.flush_penalty == (line.penalty == 1);
}

bool draw_fits(const Line& line, const Hold& h, const Chart& chart, const Table& table) {
    if (line.naturals >= 0 ? (h.wild != line.wild || h.naturals != line.naturals)
                           : (h.size != line.cards)) {
        return false;
    }
    if (!h.distinct) {
        return false;
    }
    const bool fits = straights_holding(h.ranks, false) > 0;
    switch (line.family) {
        case Family::royal:
            if (!h.suited || (h.ranks & ~kRoyalRanks) != 0) {
                return false;
            }
            break;
        case Family::straight_flush:
            if (!h.suited || !fits || (h.ranks & ~kRoyalRanks) == 0) {
                return false;
            }
            break;
        case Family::flush:
            if (!h.suited) {
                return false;
            }
            break;
        case Family::straight: {
            const unsigned naturals = table.game.deuces_wild() ? 0x1ffeu : 0x1fffu;
            const int fills = h.naturals == 4 ? fills_of(h.ranks, naturals) : (fits ? 1 : 0);
            if (!fits || (line.fills < 0 ? fills == 0 : fills != line.fills)) {
                return false;
            }
            break;
        }
        case Family::cards:
        case Family::none:
            break;
    }
    return modifiers_fit(line, h, chart);
}

bool sets_fit(const Line& line, const Hold& h, const Chart& chart) {
    std::vector<int> counts;
    unsigned rank = 0;
    for (int r = 0; r < kRankCount; ++r) {
        if (h.count[static_cast<std::size_t>(r)] > 0) {
            counts.push_back(h.count[static_cast<std::size_t>(r)]);
            rank = 1u << r;
        }
    }
    if (line.any_wild) {
        // The wild cards stand in for cards of the one rank kept.
        if (counts.size() != 1 || h.size != line.cards) {
            return false;
        }
    } else if (h.wild != line.wild || counts != line.set_counts) {
        return false;
    }
    if (counts.size() == 1 && (line.set_ranks & rank) == 0) {
        return false;
    }
    return modifiers_fit(line, h, chart);
}

// The dealt hand of a game without wild cards, by what its five cards make, and its paying cards.
struct DealtHand {
    std::optional<Dealt> hand;
    std::uint8_t cards = 0;
};

DealtHand dealt_hand(const Table& table, const std::array<CardId, 5>& deal, bool kicker,
                     unsigned high) {
    std::array<int, kRankCount> count{};
    unsigned ranks = 0;
    bool flush = true;
    for (const CardId c : deal) {
        ++count[static_cast<std::size_t>(engine_rank(c.rank()))];
        ranks |= 1u << engine_rank(c.rank());
        flush = flush && c.suit() == deal[0].suit();
    }
    const bool straight =
        std::find(kStraightMasks.begin(), kStraightMasks.end(), ranks) != kStraightMasks.end();
    const auto cards_of = [&](int least) {
        std::uint8_t mask = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            if (count[static_cast<std::size_t>(engine_rank(deal[i].rank()))] >= least) {
                mask = static_cast<std::uint8_t>(mask | 1u << i);
            }
        }
        return mask;
    };
    if (straight && flush) {
        return {ranks == kRoyalRanks ? Dealt::royal : Dealt::straight_flush, 0x1f};
    }
    const int top = *std::max_element(count.begin(), count.end());
    const auto pairs = std::count(count.begin(), count.end(), 2);
    if (top == 4) {
        // The kicker is kept where the four pays more beside it than beside another card.
        std::uint8_t four = cards_of(4);
        if (kicker) {
            const std::size_t odd = static_cast<std::size_t>(std::countr_zero(0x1fu & ~four));
            std::int64_t least = table.pays(deal);
            for (int rank = 1; rank <= 13; ++rank) {
                std::array<CardId, 5> other = deal;
                const Suit suit = deal[(odd + 1) % 5].suit();
                other[odd] = CardId::of(suit, rank);
                if (rank != deal[(odd + 1) % 5].rank()) {
                    least = std::min(least, table.pays(other));
                }
            }
            four = table.pays(deal) > least ? std::uint8_t{0x1f} : four;
        }
        return {Dealt::four, four};
    }
    if (top == 3) {
        return pairs == 1 ? DealtHand{Dealt::full_house, 0x1f}
                          : DealtHand{Dealt::three, cards_of(3)};
    }
    if (flush || straight) {
        return {flush ? Dealt::flush : Dealt::straight, 0x1f};
    }
    if (pairs == 2) {
        return {Dealt::two_pair, cards_of(2)};
    }
    if (pairs == 1) {
        const std::uint8_t pair = cards_of(2);
        const int rank = engine_rank(deal[static_cast<std::size_t>(std::countr_zero(pair))].rank());
        if ((high >> rank & 1u) != 0) {
            return {Dealt::high_pair, pair};
        }
    }
    return {};
}

bool all_five(HandClass hand) {
    // The hands of all five cards: not pairs, three or four of a kind. Four deuces pay as the five
    // cards they stand in.
    return hand == HandClass::straight || hand == HandClass::flush ||
           hand == HandClass::full_house || hand == HandClass::straight_flush ||
           hand == HandClass::wild_royal || hand == HandClass::natural_royal ||
           hand == HandClass::five_wilds ||
           (hand >= HandClass::first_five && hand < HandClass::natural_royal);
}

// The joker's low card by its open straights less the discards of its suit, a ten one more.
int open_count(const std::array<CardId, 5>& deal, std::size_t at, unsigned high, const Table& t) {
    const int rank = engine_rank(deal[at].rank());
    int open = 0;
    for (const unsigned s : kStraightMasks) {
        if ((s >> rank & 1u) == 0 || (s & high) != 0) {
            continue;
        }
        int discards = 0;
        for (std::size_t i = 0; i < 5; ++i) {
            discards +=
                i != at && !t.wild(deal[i]) && (s >> engine_rank(deal[i].rank()) & 1u) != 0 ? 1 : 0;
        }
        open += discards <= 1 ? 1 : 0;
    }
    for (std::size_t i = 0; i < 5; ++i) {
        open -= i != at && !t.wild(deal[i]) && deal[i].suit() == deal[at].suit() ? 1 : 0;
    }
    return open + (rank == kTen ? 1 : 0);
}

// The holds of the deal that the line's words fit; the made hand alone where a dealt line names
// it beside a draw.
void fitting(const Line& line, const Chart& chart, const Table& table,
             const std::array<CardId, 5>& deal, const std::array<Hold, 32>& holds,
             std::vector<Hold>& out) {
    out.clear();
    switch (line.shape) {
        case Shape::discard:
            out.push_back(holds[0]);
            return;
        case Shape::dealt: {
            const DealtHand dealt = dealt_hand(table, deal, line.kicker, chart.high);
            if (dealt.hand &&
                std::find(line.hands.begin(), line.hands.end(), *dealt.hand) != line.hands.end()) {
                out.push_back(holds[dealt.cards]);
                if (chart.dealt_first) {
                    return;
                }
            }
            if (line.or_royal_draw) {
                for (const Hold& h : holds) {
                    if (h.size == 4 && h.suited && h.distinct && (h.ranks & ~kRoyalRanks) == 0) {
                        out.push_back(h);
                    }
                }
            }
            return;
        }
        case Shape::made:
            if (std::find(line.classes.begin(), line.classes.end(), table.hand(deal)) !=
                line.classes.end()) {
                out.push_back(holds[0x1f]);
            }
            return;
        case Shape::five_or_more:
            if (all_five(table.hand(deal)) && table.pays(deal) >= line.least_pay) {
                out.push_back(holds[0x1f]);
            }
            return;
        case Shape::open_low: {
            int best = -1000;
            for (std::size_t i = 0; i < 5; ++i) {
                if (!table.wild(deal[i]) && (chart.high >> engine_rank(deal[i].rank()) & 1u) == 0) {
                    best = std::max(best, open_count(deal, i, chart.high, table));
                }
            }
            for (const Hold& h : holds) {
                if (h.wild != 1 || h.naturals != 1 || (h.ranks & chart.high) != 0) {
                    continue;
                }
                for (std::size_t i = 0; i < 5; ++i) {
                    if ((h.mask >> i & 1u) != 0 && !table.wild(deal[i]) &&
                        open_count(deal, i, chart.high, table) == best) {
                        out.push_back(h);
                    }
                }
            }
            return;
        }
        default:
            break;
    }
    for (const Hold& h : holds) {
        bool fits = false;
        switch (line.shape) {
            case Shape::sets:
                fits = sets_fit(line, h, chart);
                break;
            case Shape::draw:
                fits = draw_fits(line, h, chart, table);
                break;
            case Shape::named:
                fits = h.wild == line.wild && h.naturals == line.naturals && h.distinct &&
                       h.ranks == line.named_ranks && h.suited == line.suited &&
                       modifiers_fit(line, h, chart);
                break;
            case Shape::alone:
                fits = h.wild == line.wild && h.naturals == line.naturals &&
                       (line.naturals == 0 || (line.alone_ranks & h.ranks) != 0);
                break;
            default:
                break;
        }
        if (fits) {
            out.push_back(h);
        }
    }
    return;
}

// The tie rule's order: a royal's cards first, then the most straights, then the natural cards'
// total (a two 1 ... an ace 13).
struct Preference {
    bool royal = false;
    int straights = 0;
    int total = 0;
    auto operator<=>(const Preference&) const = default;
};

Preference preference(const Hold& h, const Chart& chart) {
    Preference p;
    p.royal = h.naturals > 0 && h.distinct && (h.ranks & ~kRoyalRanks) == 0;
    p.straights = h.distinct ? straights_holding(h.ranks, chart.no_natural_two) : 0;
    for (int r = 0; r < kRankCount; ++r) {
        p.total += (r + 1) * h.count[static_cast<std::size_t>(r)];
    }
    return p;
}

// Card order: by rank, two to ace, then suit (s d c h), the joker last.
int card_rank(CardId c) {
    return c.is_joker() ? 1000 : 4 * (c.rank() == 1 ? 14 : c.rank()) + static_cast<int>(c.suit());
}

// Of two holds the one that throws away the highest card only one of them keeps comes first.
bool first_in_card_order(std::uint8_t a, std::uint8_t b, const std::array<CardId, 5>& deal) {
    int highest = -1;
    bool a_keeps = false;
    for (std::size_t i = 0; i < 5; ++i) {
        const bool in_a = (a >> i & 1u) != 0;
        if (in_a != ((b >> i & 1u) != 0) && card_rank(deal[i]) > highest) {
            highest = card_rank(deal[i]);
            a_keeps = in_a;
        }
    }
    return !a_keeps;
}

}  // namespace

Decision decide(const Chart& chart, const Table& table, const std::array<CardId, 5>& deal) {
    std::array<Hold, 32> holds;
    for (unsigned m = 0; m < 32; ++m) {
        holds[m] = hold_of(table, deal, static_cast<std::uint8_t>(m));
    }
    const int wild_dealt = holds[31].wild;
    std::vector<Hold> fits;
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        if (chart.lines[i].section >= 0 && chart.lines[i].section != wild_dealt) {
            continue;
        }
        fitting(chart.lines[i], chart, table, deal, holds, fits);
        if (fits.empty()) {
            continue;
        }
        std::size_t best = 0;
        for (std::size_t j = 1; j < fits.size(); ++j) {
            const auto order = preference(fits[j], chart) <=> preference(fits[best], chart);
            if (order > 0 ||
                (order == 0 && first_in_card_order(fits[j].mask, fits[best].mask, deal))) {
                best = j;
            }
        }
        return {i + 1, fits[best].mask};
    }
    return {};
}

}  // namespace quillon::odds::plain

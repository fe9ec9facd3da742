#include "odds/strategy/search/order_faults.h"

#include <algorithm>
#include <limits>
#include <tuple>
#include <unordered_map>

#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds {

namespace {

using pattern_key::Kind;
using pattern_key::kind_of;

constexpr std::uint32_t kNowhere = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kNoDeal = std::numeric_limits<std::size_t>::max();

// A set or a made hand of five cards: a dealt hand a line keeps as it is.
bool names_made_hand(PatternKey key) {
    return kind_of(key) == Kind::sets || kind_of(key) == Kind::made_five;
}

// A hold drawn to: a draw, or wild cards kept alone short of four (which pay whatever comes).
bool is_draw(PatternKey key) {
    return kind_of(key) == Kind::draw ||
           (kind_of(key) == Kind::wild_alone && pattern_key::get(key, pattern_key::kWild) < 4);
}

// The deals where the made hand's line decides and a hold of the other pattern is there too,
// and those of them where that hold is worth more.
struct Meeting {
    std::uint64_t fits = 0;
    std::uint64_t better = 0;
    std::size_t example = kNoDeal;

    void add(std::uint64_t weight, bool worth_more, std::size_t deal) {
        fits += weight;
        if (worth_more) {
            better += weight;
            example = example == kNoDeal ? deal : example;
        }
    }
    bool always() const { return fits > 0 && better == fits; }
};

// One line keeping one kind of made hand in one order: its meetings with each line below it.
struct MadeKind {
    // The order read, the line's table pattern and its place there, and the kind it keeps.
    std::uint32_t reading = 0, made = 0, line = 0, kind = 0;
    std::vector<Meeting> below;
};

// How fine a pattern is, to find a hold's finest: a line of dealt hands kept whole names several
// kinds, so the kind is another pattern of the hold where there is one; then the more coarser
// patterns, the finer.
std::uint32_t fineness(const DealPatterns& table, std::uint32_t p) {
    return (keeps_dealt_hand(table.keys[p]) ? 0u : 1u << 16) +
           static_cast<std::uint32_t>(table.parents[p].size());
}

std::uint32_t finest_by(const DealPatterns& table, const std::vector<std::uint32_t>& fine,
                        std::size_t d, std::uint32_t e) {
    const std::uint32_t hold = table.hold(d, e);
    std::uint32_t finest = table.pattern(e);
    for (std::uint32_t f = table.entry_begin[d]; f < table.entry_begin[d + 1]; ++f) {
        if (table.hold(d, f) == hold && fine[table.pattern(f)] > fine[finest]) {
            finest = table.pattern(f);
        }
    }
    return finest;
}

}  // namespace

std::uint32_t finest_of_hold(const DealPatterns& table, std::size_t d, std::uint32_t e) {
    const std::uint32_t hold = table.hold(d, e);
    std::uint32_t finest = table.pattern(e);
    for (std::uint32_t f = table.entry_begin[d]; f < table.entry_begin[d + 1]; ++f) {
        if (table.hold(d, f) == hold &&
            fineness(table, table.pattern(f)) > fineness(table, finest)) {
            finest = table.pattern(f);
        }
    }
    return finest;
}

std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartLines& lines) {
    return order_faults(table, ChartReading{{lines}, {}});
}

std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartReading& reading) {
    return order_faults(table, reading, {});
}

std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartReading& reading,
                                     std::span<const std::uint32_t> deciders) {
    const std::size_t patterns = table.keys.size();
    std::vector<std::vector<std::uint32_t>> place(reading.orders.size(),
                                                  std::vector<std::uint32_t>(patterns, kNowhere));
    for (std::size_t r = 0; r < reading.orders.size(); ++r) {
        const ChartLines& order = reading.orders[r];
        for (std::uint32_t i = static_cast<std::uint32_t>(order.size()); i-- > 0;) {
            place[r][order[i]] = i;
        }
    }
    std::vector<char> made(patterns, 0);
    std::vector<char> draw(patterns, 0);
    std::vector<char> pat(patterns, 0);
    std::vector<std::uint32_t> fine(patterns, 0);
    for (std::uint32_t p = 0; p < patterns; ++p) {
        fine[p] = fineness(table, p);
        made[p] = names_made_hand(table.keys[p]) ? 1 : 0;
        draw[p] = is_draw(table.keys[p]) ? 1 : 0;
        pat[p] = is_pat_pattern(table.keys[p]) ? 1 : 0;
    }
    std::vector<MadeKind> kinds;
    std::unordered_map<std::uint64_t, std::uint32_t> kind_index;
    // A pat hand's meetings with every other pattern of its deals, by its MadeKind and pattern:
    // made when the kind is first met.
    std::vector<std::vector<Meeting>> breaking;
    for (std::size_t d = 0; d < table.deal_count(); ++d) {
        const std::uint32_t r = reading.order_of.empty() ? 0 : reading.order_of[d];
        const std::vector<std::uint32_t>& at = place[r];
        if (!deciders.empty() && (deciders[d] >= patterns || made[deciders[d]] == 0)) {
            continue;
        }
        std::uint32_t first = kNowhere;
        std::uint32_t decider = kNowhere;
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            if (at[table.pattern(e)] < first) {
                first = at[table.pattern(e)];
                decider = e;
            }
        }
        if (decider == kNowhere || made[table.pattern(decider)] == 0) {
            continue;
        }
        const std::uint32_t kind = finest_by(table, fine, d, decider);
        if (made[kind] == 0) {
            continue;
        }
        const std::uint32_t line = table.pattern(decider);
        const std::uint64_t key = (std::uint64_t{r} << 40) | (std::uint64_t{line} << 20) | kind;
        const auto [it, fresh] =
            kind_index.try_emplace(key, static_cast<std::uint32_t>(kinds.size()));
        if (fresh) {
            kinds.push_back(
                MadeKind{r, line, first, kind, std::vector<Meeting>(reading.orders[r].size())});
            breaking.emplace_back(pat[kind] != 0 ? patterns : 0);
        }
        MadeKind& here = kinds[it->second];
        std::vector<Meeting>& breaks = breaking[it->second];
        const std::uint32_t hold = table.hold(d, decider);
        const double kept = table.hold_value(hold);
        const std::uint64_t weight = table.deals[d].weight;
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = table.pattern(e);
            if (table.hold(d, e) == hold) {
                continue;
            }
            const bool worth_more = table.value(d, e) > kept;
            if (at[p] != kNowhere && at[p] > first && draw[p] != 0) {
                here.below[at[p]].add(weight, worth_more, d);
            }
            if (!breaks.empty()) {
                breaks[p].add(weight, worth_more, d);
            }
        }
    }
    std::vector<OrderFault> out;
    std::vector<char> has_order_fault(kinds.size(), 0);
    for (std::uint32_t k = 0; k < kinds.size(); ++k) {
        const MadeKind& m = kinds[k];
        for (std::uint32_t below = 0; below < m.below.size(); ++below) {
            if (m.below[below].always()) {
                out.push_back(OrderFault{FaultKind::order, m.made, reading.orders[m.reading][below],
                                         m.line + 1u, below + 1u, m.kind, m.reading,
                                         m.below[below].fits, m.below[below].example});
                has_order_fault[k] = 1;
            }
        }
    }
    // The pattern that breaks most deals of the kind, each of them for more: a line of the chart
    // before any other, as it mends by a move, and of several alike the finest (the first of the
    // table where they are alike), as it takes in the fewest other deals where it comes first.
    for (std::uint32_t k = 0; k < kinds.size(); ++k) {
        if (has_order_fault[k] != 0) {
            continue;
        }
        const std::vector<std::uint32_t>& at = place[kinds[k].reading];
        const auto wider = [&](std::uint32_t p, std::uint32_t than) {
            const Meeting& a = breaking[k][p];
            const Meeting& b = breaking[k][than];
            return std::tuple(at[p] != kNowhere, a.fits, table.parents[p].size()) >
                   std::tuple(at[than] != kNowhere, b.fits, table.parents[than].size());
        };
        std::uint32_t widest = kNowhere;
        for (std::uint32_t p = 0; p < breaking[k].size(); ++p) {
            if (breaking[k][p].always() && (widest == kNowhere || wider(p, widest))) {
                widest = p;
            }
        }
        if (widest != kNowhere) {
            const MadeKind& m = kinds[k];
            out.push_back(OrderFault{FaultKind::pat_hand, m.made, widest, m.line + 1u,
                                     at[widest] == kNowhere ? 0 : at[widest] + 1u, m.kind,
                                     m.reading, breaking[k][widest].fits,
                                     breaking[k][widest].example});
        }
    }
    std::sort(out.begin(), out.end(), [](const OrderFault& a, const OrderFault& b) {
        return std::tie(a.what, a.reading, a.made_line, a.kind, a.better_line, a.better) <
               std::tie(b.what, b.reading, b.made_line, b.kind, b.better_line, b.better);
    });
    return out;
}

}  // namespace quillon::odds

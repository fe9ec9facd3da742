#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/search/chart_builder.h"

namespace quillon::odds {

// Two ways a chart's order can be wrong whatever the deal, which no length excuses:
// - order: a line keeps a made hand of one kind above a draw line, and on every deal where the
//   line keeps that kind of hand and the draw line fits too, the draw is worth more;
// - pat hand: a line keeps a pat hand of one kind, and some other hold of one pattern is worth
//   more on every deal of that kind the line decides where the hold is there to keep.
// The kind of a made hand is the finest pattern of the hold the line keeps: "high pair (jacks or
// better)" out of "high pair, two pair, three of a kind, ...".
enum class FaultKind { order, pat_hand };

struct OrderFault {
    FaultKind what = FaultKind::order;
    // The line that keeps the made hand and the line that should come first (the breaking
    // hold's pattern for a pat hand, a line of the chart or not), as table patterns, with their
    // places in the order the deals read (from 1; 0 where not a line of it).
    std::uint32_t made = 0, better = 0;
    std::size_t made_line = 0, better_line = 0;
    // The finest pattern of the hands the line keeps there.
    std::uint32_t kind = 0;
    // Which order the deals read (ChartReading::orders).
    std::uint32_t reading = 0;
    // How many deals it spoils, and one of them (a deal of the table).
    std::uint64_t deals = 0;
    std::size_t example = 0;
};

// The lines a table's deals read, best first: every deal the one order, or, for a chart in
// sections, each deal the order of its own section (`order_of[d]` indexes `orders`).
struct ChartReading {
    std::vector<ChartLines> orders;
    std::vector<std::uint8_t> order_of;
};

// Every fault of the chart over the table's deals, the order faults first, each kind by its
// lines in the chart's order.
std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartReading& reading);
std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartLines& lines);
// The same where the pattern of the line that decides each deal is known already (`deciders`,
// one a deal; none past the table's patterns): only the deals a made hand's line decides are
// looked at.
std::vector<OrderFault> order_faults(const DealPatterns& table, const ChartReading& reading,
                                     std::span<const std::uint32_t> deciders);

// The finest pattern of the hold that entry e of deal d keeps: of the deal's patterns of that
// hold, the one with the most coarser patterns, a line of dealt hands kept whole only where the
// hold has no other.
std::uint32_t finest_of_hold(const DealPatterns& table, std::size_t d, std::uint32_t e);

}  // namespace quillon::odds

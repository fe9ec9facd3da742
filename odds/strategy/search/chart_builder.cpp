#include "odds/strategy/search/chart_builder.h"

#include <algorithm>
#include <limits>

#include "odds/strategy/search/chart_planner.h"

namespace quillon::odds {

using chart_search::kDefaultCost;
using chart_search::kLongest;
using chart_search::kOff;
using chart_search::Planner;

ChartLines build_chart(const DealPatterns& table, std::size_t max_lines) {
    Planner planner(table);
    planner.greedy();
    const std::size_t unlimited = std::numeric_limits<std::size_t>::max();
    planner.settle(true, max_lines == 0 ? unlimited : std::max(max_lines, planner.order().size()));
    planner.keep_pat_hands();
    planner.drop_idle();
    if (max_lines == 0) {
        // The default length: every line worth keeping, at most the longest, so long as the
        // chart costs no more than the default may; where even the chart of every line worth
        // anything costs more, the best chart of up to the longest length.
        if (planner.shortfall() <= kDefaultCost) {
            planner.drop_cheap(kDefaultCost);
        }
        // Trades at the length the cheap lines left, or cuts to the longest default.
        planner.drop_to(std::min(kLongest, planner.order().size()));
    } else {
        planner.drop_to(std::max<std::size_t>(max_lines, 1));
    }
    planner.plain_words();
    planner.tidy();
    return planner.order();
}

std::vector<std::uint32_t> chart_choices(const DealPatterns& table, const ChartLines& lines) {
    std::vector<std::uint32_t> line_of(table.keys.size(), kOff);
    for (std::uint32_t i = 0; i < lines.size(); ++i) {
        line_of[lines[i]] = i;
    }
    std::vector<std::uint32_t> choice(table.deal_count(), kOff);
    for (std::size_t d = 0; d < table.deal_count(); ++d) {
        std::uint32_t best_line = kOff;
        for (std::uint32_t e = table.entry_begin[d]; e < table.entry_begin[d + 1]; ++e) {
            const std::uint32_t line = line_of[table.pattern(e)];
            if (line < best_line) {
                best_line = line;
                choice[d] = e;
            }
        }
    }
    return choice;
}

double chart_return(const DealPatterns& table, const ChartLines& lines) {
    const std::vector<std::uint32_t> choice = chart_choices(table, lines);
    double sum = 0.0;
    double total = 0.0;
    for (std::size_t d = 0; d < table.deal_count(); ++d) {
        sum += table.deals[d].weight * table.value(d, choice[d]);
        total += table.deals[d].weight;
    }
    return sum / total;
}

}  // namespace quillon::odds

#include "odds/strategy/search/chart_builder.h"

#include <algorithm>
#include <limits>

#include "odds/strategy/search/chart_planner.h"
#include "odds/strategy/search/length_search.h"

namespace quillon::odds {

using chart_search::kDefaultCost;
using chart_search::kLongest;
using chart_search::kLookAhead;
using chart_search::kOff;
using chart_search::kWorthKeeping;
using chart_search::LengthSearch;
using chart_search::Planner;

namespace {

// The chart every line worth keeping leaves, before its length is checked against the rule.
ChartLines first_default(LengthSearch& search) {
    Planner& planner = search.from_first_order();
    planner.settle(true, std::numeric_limits<std::size_t>::max());
    planner.keep_pat_hands();
    planner.drop_idle();
    // Every line worth keeping, so long as the chart costs no more than the default may; where
    // even the chart of every line worth anything costs more, the best chart of up to the
    // longest length.
    if (planner.shortfall() <= kDefaultCost) {
        planner.drop_cheap(kDefaultCost);
    }
    planner.drop_to(std::min(kLongest, planner.order().size()));
    planner.mend_order(planner.order().size());
    planner.plain_words();
    planner.tidy();
    return planner.order();
}

// The default length, held to its rule: each line of the chart saves at least kWorthKeeping
// against the best chart a line shorter, and no chart up to kLookAhead lines longer saves that
// much for each line it adds. The lines dropped one at a time are priced in the chart as it
// stands, so two lines that pay together may have gone where each alone seemed cheap.
ChartLines default_chart(const DealPatterns& table, LengthSearch& search) {
    ChartLines lines = first_default(search);
    double cost = chart_shortfall(table, lines);
    // Shorter while the last line does not pay for itself and the chart stays within the cost
    // the default may have.
    while (lines.size() > 1) {
        ChartLines shorter = search.chart(lines.size() - 1);
        const double more = chart_shortfall(table, shorter);
        if (more - cost >= kWorthKeeping || more > kDefaultCost || shorter.size() >= lines.size()) {
            break;
        }
        lines = std::move(shorter);
        cost = more;
    }
    // Longer while some longer chart saves enough for every line it adds.
    for (bool longer = true; longer;) {
        longer = false;
        for (std::size_t k = 1; k <= kLookAhead && lines.size() + k <= kLongest; ++k) {
            ChartLines more_lines = search.chart(lines.size() + k);
            const double less = chart_shortfall(table, more_lines);
            const std::size_t added =
                more_lines.size() > lines.size() ? more_lines.size() - lines.size() : 0;
            if (added > 0 && cost - less >= static_cast<double>(added) * kWorthKeeping) {
                lines = std::move(more_lines);
                cost = less;
                longer = true;
                break;
            }
        }
    }
    return lines;
}

}  // namespace

ChartLines build_chart(const DealPatterns& table, std::size_t max_lines) {
    return PlainCharts(table).chart(max_lines);
}

PlainCharts::PlainCharts(const DealPatterns& table) : table_(table) {}

PlainCharts::~PlainCharts() = default;

ChartLines PlainCharts::chart(std::size_t max_lines) {
    // The search starts with the first chart asked for: its first order is most of a short
    // chart's work.
    if (!search_) {
        search_ = std::make_unique<LengthSearch>(table_);
    }
    return max_lines == 0 ? default_chart(table_, *search_) : search_->chart(max_lines);
}

double chart_shortfall(const DealPatterns& table, const ChartLines& lines) {
    double perfect = 0.0;
    double total = 0.0;
    for (std::size_t d = 0; d < table.deal_count(); ++d) {
        perfect += table.deals[d].weight * table.perfect[d];
        total += table.deals[d].weight;
    }
    return perfect / total - chart_return(table, lines);
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

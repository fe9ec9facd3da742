#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "odds/strategy/patterns/deal_patterns.h"

namespace quillon::odds {

// A chart as pattern ids, best first; the first line a deal shows decides its hold, and the last
// line is always "discard everything", which every deal shows.
using ChartLines = std::vector<std::uint32_t>;

// Orders the patterns so that playing the first that matches loses as little as possible against
// the best hold of every deal, then drops lines down to `max_lines`. 0 is the default length:
// every line saves at least half a thousandth of a percentage point of return against the best
// chart a line shorter, and no chart one or two lines longer saves that much for each line it
// adds; at most 60 lines, and no line dropped that would take the chart over half a hundredth of
// a point against perfect play.
ChartLines build_chart(const DealPatterns& table, std::size_t max_lines = 0);

namespace chart_search {
class LengthSearch;
}  // namespace chart_search

// The charts build_chart makes of one table at any lengths, from one search: the lengths share
// its first order and its cuts, so a caller that wants several lengths pays for those once. The
// table must outlive it.
class PlainCharts {
  public:
    explicit PlainCharts(const DealPatterns& table);
    ~PlainCharts();
    PlainCharts(const PlainCharts&) = delete;
    PlainCharts& operator=(const PlainCharts&) = delete;

    const DealPatterns& table() const { return table_; }
    // build_chart(table(), max_lines).
    ChartLines chart(std::size_t max_lines);

  private:
    const DealPatterns& table_;
    std::unique_ptr<chart_search::LengthSearch> search_;
};

// For each deal, the entry of the line that decides it.
std::vector<std::uint32_t> chart_choices(const DealPatterns& table, const ChartLines& lines);

// What the chart loses per coin against perfect play, from the stored hold values.
double chart_shortfall(const DealPatterns& table, const ChartLines& lines);

// The weighted mean return per coin of playing by the chart, from the stored hold values.
double chart_return(const DealPatterns& table, const ChartLines& lines);

}  // namespace quillon::odds

#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/search/chart_planner.h"

namespace quillon::odds::chart_search {

// The best charts of several lengths from one planner, each as a search of that length alone
// would find it. The search of a length takes the same first steps as any other length the first
// order leaves room for, and then cuts the chart down the same way as every length until the
// chart is within it: those steps are taken once, the states they pass through kept (the lines and
// the merge prices, a few kilobytes each), and each length takes up the cut from the first state
// within it. Each length's chart is kept, as the default length asks for some twice.
class LengthSearch {
  public:
    explicit LengthSearch(const DealPatterns& table);

    // The best chart of at most `max_lines` lines (at least one).
    const ChartLines& chart(std::size_t max_lines);

    // The planner put back to its first order, for a search of its own.
    Planner& from_first_order();

  private:
    // The cut from one end of the first steps: the states after each cut in turn, the first one
    // before any; `ended` once nothing shortened the chart further, the last state then the one
    // that found nothing.
    struct Descent {
        std::vector<PlannerState> steps;
        bool ended = false;
    };

    // The state the cut leaves a chart of at most `max_lines` lines in.
    const PlannerState& cut_to(std::size_t max_lines);

    Planner planner_;
    PlannerState first_order_;
    // By the most lines the first steps let in, which is the first order's length for every
    // length shorter than it.
    std::map<std::size_t, Descent> descents_;
    std::map<std::size_t, ChartLines> charts_;
};

}  // namespace quillon::odds::chart_search

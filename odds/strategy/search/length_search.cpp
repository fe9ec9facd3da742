#include "odds/strategy/search/length_search.h"

#include <algorithm>

namespace quillon::odds::chart_search {

LengthSearch::LengthSearch(const DealPatterns& table) : planner_(table) {
    planner_.greedy();
    first_order_ = planner_.state();
}

Planner& LengthSearch::from_first_order() {
    planner_.resume(first_order_);
    return planner_;
}

const PlannerState& LengthSearch::cut_to(std::size_t max_lines) {
    const std::size_t room = std::max(max_lines, first_order_.order.size());
    Descent& descent = descents_[room];
    if (descent.steps.empty()) {
        // The search's first steps.
        Planner& planner = from_first_order();
        planner.settle(true, room);
        planner.keep_pat_hands();
        planner.drop_idle();
        descent.steps.push_back(planner.state());
    }
    const auto within = [&] {
        return std::find_if(descent.steps.begin(), descent.steps.end(),
                            [&](const PlannerState& s) { return s.order.size() <= max_lines; });
    };
    if (within() == descent.steps.end() && !descent.ended) {
        // The cut goes on from where it stopped, its count of cuts with it.
        planner_.resume(descent.steps.back());
        std::size_t drops = descent.steps.size() - 1;
        while (planner_.order().size() > max_lines) {
            descent.ended = !planner_.shorten_step(drops);
            descent.steps.push_back(planner_.state());
            if (descent.ended) {
                break;
            }
        }
    }
    const auto it = within();
    return it != descent.steps.end() ? *it : descent.steps.back();
}

const ChartLines& LengthSearch::chart(std::size_t max_lines) {
    max_lines = std::max<std::size_t>(max_lines, 1);
    if (const auto it = charts_.find(max_lines); it != charts_.end()) {
        return it->second;
    }
    planner_.resume(cut_to(max_lines));
    planner_.finish_drop(max_lines);
    planner_.mend_order(max_lines);
    planner_.plain_words();
    planner_.tidy();
    return charts_[max_lines] = planner_.order();
}

}  // namespace quillon::odds::chart_search

#include <algorithm>
#include <vector>

#include "base/stop.h"
#include "odds/strategy/search/chart_planner.h"
#include "odds/strategy/search/order_faults.h"

namespace quillon::odds::chart_search {

namespace {

// The most one mend may add to what the chart costs, as a share of the return: a ten-thousandth
// of a percentage point. A chart too short to mend a fault for that keeps it.
constexpr double kMendCost = 1e-6;
// The most mends one chart takes: each removes a fault, and charts have a few.
constexpr int kMostMends = 16;

}  // namespace

// The pattern not in the chart that keeps the same hold as `line` on the most deals the line
// decides with another kind of hand than `kind`, and on none of those of that kind: put in the
// line's place, it takes the rest of the line's deals and leaves that kind to the line below.
std::uint32_t Planner::split_of(std::uint32_t line, std::uint32_t kind) const {
    std::vector<double> rest(t_.keys.size(), 0.0);
    std::vector<char> takes_kind(t_.keys.size(), 0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        if (deal_[d].fpat != line) {
            continue;
        }
        std::uint32_t own = t_.entry_begin[d];
        while (t_.pattern(own) != line) {
            ++own;
        }
        const bool of_kind = finest_of_hold(t_, d, own) == kind;
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = t_.pattern(e);
            if (t_.hold(d, e) != first_[d] || pos_[p] != kOff) {
                continue;
            }
            if (of_kind) {
                takes_kind[p] = 1;
            } else {
                rest[p] += deal_[d].weight();
            }
        }
    }
    std::uint32_t pick = kOff;
    for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
        if (takes_kind[p] == 0 && rest[p] > 0.0 && (pick == kOff || rest[p] > rest[pick])) {
            pick = p;
        }
    }
    return pick;
}

// The first line below `line` that takes in every hold of pattern p, kOff where none does.
std::uint32_t Planner::line_over(std::uint32_t p, std::uint32_t line) const {
    for (std::size_t i = pos_[line] + 1; i < order_.size(); ++i) {
        const std::vector<std::uint32_t>& coarser = t_.parents[p];
        if (order_[i] != t_.discard_all &&
            std::find(coarser.begin(), coarser.end(), order_[i]) != coarser.end()) {
            return order_[i];
        }
    }
    return kOff;
}

// Drops the cheapest lines but those given until the chart has at most `max_lines`; false where
// only those are left to drop.
bool Planner::trim_to(std::size_t max_lines, const std::vector<std::uint32_t>& kept) {
    drop_idle();
    while (order_.size() > max_lines) {
        const LineCosts costs = line_costs();
        std::uint32_t pick = kOff;
        for (const std::uint32_t p : order_) {
            const bool spared = std::find(kept.begin(), kept.end(), p) != kept.end();
            if (!spared && p != t_.discard_all && costs.keeps[p] == 0 &&
                (pick == kOff || costs.cost[p] < costs.cost[pick])) {
                pick = p;
            }
        }
        if (pick == kOff) {
            return false;
        }
        place(pick, kOff);
    }
    return true;
}

std::vector<OrderFault> Planner::faults() const {
    std::vector<std::uint32_t> deciders(t_.deal_count());
    for (std::size_t d = 0; d < deciders.size(); ++d) {
        deciders[d] = deal_[d].fpat;
    }
    return order_faults(t_, ChartReading{{order_}, {}}, deciders);
}

bool Planner::mend_order(std::size_t max_lines) {
    stop_point();
    std::vector<OrderFault> faults = this->faults();
    bool changed = false;
    double cost = shortfall();
    // Whether the chart as it stands is kept: fewer faults for at most kMendCost more, or no more
    // faults for less than it cost before. The cost is looked at first, as it takes a fraction
    // of the time.
    std::vector<OrderFault> left;
    const auto kept_now = [&] {
        const double now = shortfall();
        if (now > cost + kMendCost) {
            return false;
        }
        left = this->faults();
        return left.size() < faults.size() ||
               (left.size() <= faults.size() && now < cost - kMendCost * 1e-3);
    };
    const auto keep = [&] {
        faults = std::move(left);
        cost = shortfall();
        changed = true;
    };
    // Each fault's mends in turn, the first kept; then the faults are found again.
    for (int mend = 0; mend < kMostMends && !faults.empty(); ++mend) {
        bool mended = false;
        for (std::size_t i = 0; i < faults.size() && !mended; ++i) {
            const OrderFault f = faults[i];
            if (f.better == t_.discard_all) {
                continue;
            }
            // The second way: an order fault's line split, only once moving the draw has not
            // held; for a pat hand, a line below it that takes in the breaking hold moved up.
            for (int way = 0; way < 2 && !mended; ++way) {
                const std::uint32_t second = way == 0 ? kOff
                                             : f.what == FaultKind::order
                                                 ? split_of(f.made, f.kind)
                                                 : line_over(f.better, f.made);
                if (way == 1 && second == kOff) {
                    continue;
                }
                const ChartLines before = order_;
                std::vector<std::uint32_t> spared{f.made, f.better};
                if (way == 0) {
                    // The draw, or the hold that breaks the pat hand, just above the made hand.
                    place(f.better, pos_[f.made]);
                } else if (f.what == FaultKind::order) {
                    // The made hand's line split: the other kinds keep their place, this kind
                    // goes below the draw.
                    place(second, pos_[f.made]);
                    place(f.made, kOff);
                    place(f.made, pos_[f.better] + 1);
                    spared.push_back(second);
                } else {
                    place(second, pos_[f.made]);
                    spared.push_back(second);
                }
                mended = trim_to(max_lines, spared) && kept_now();
                if (mended) {
                    keep();
                } else {
                    restore(before);
                }
            }
        }
        if (!mended) {
            break;
        }
        // The lines may stand better elsewhere now, so long as no fault comes back.
        const ChartLines mended_order = order_;
        settle(false, order_.size());
        if (order_ != mended_order) {
            if (kept_now()) {
                keep();
            } else {
                restore(mended_order);
            }
        }
    }
    return changed;
}

}  // namespace quillon::odds::chart_search

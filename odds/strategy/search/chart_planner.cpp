#include "odds/strategy/search/chart_planner.h"

#include <algorithm>
#include <limits>

#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds::chart_search {

Planner::Planner(const DealPatterns& t)
    : t_(t), pos_(t.keys.size(), kOff), by_pattern_(t), pat_key_(t.keys.size(), 0) {
    const std::size_t deals = t.deal_count();
    deal_.resize(deals);
    for (std::size_t d = 0; d < deals; ++d) {
        deal_[d].count = t.deals[d].weight;
        deal_[d].holds = t.hold_begin[d];
        total_ += deal_[d].weight();
    }
    kids_.resize(t.keys.size());
    for (std::uint32_t p = 0; p < t.keys.size(); ++p) {
        for (const std::uint32_t c : t.parents[p]) {
            kids_[c].push_back(p);
        }
        pat_key_[p] = is_pat_pattern(t.keys[p]) ? 1 : 0;
    }
    for (std::size_t d = 0; d < deals; ++d) {
        perfect_ += deal_[d].weight() * t.perfect[d];
    }
    first_.assign(deals, 0);
    second_.assign(deals, 0);
    saved_round_.assign(deals, 0);
    eps_ = 1e-13 * total_;
    // The holds that keep a pat hand which is the deal's best hold, better than any hold of
    // part of it: a chart never breaks such a hand, whatever its length.
    pat_hold_.assign(t.hold_mask.size(), false);
    for (std::size_t d = 0; d < deals; ++d) {
        for (std::uint32_t h = t.hold_begin[d]; h < t.hold_begin[d + 1]; ++h) {
            if (t.hold_value(h) != t.perfect[d]) {
                continue;
            }
            bool part_as_good = false;
            for (std::uint32_t f = t.hold_begin[d]; f < t.hold_begin[d + 1]; ++f) {
                part_as_good = part_as_good || (f != h && (t.hold_mask[f] & ~t.hold_mask[h]) == 0 &&
                                                t.hold_value(f) == t.perfect[d]);
            }
            pat_hold_[h] = !part_as_good;
        }
    }
}

// Whether pattern p, put in place of `line`, would decide the same `decided` deals with the
// same holds and no others.
bool Planner::decides_as(std::uint32_t p, std::uint32_t line, std::size_t decided) const {
    std::size_t same = 0;
    for (auto entry = by_pattern_.entries(p); entry.next();) {
        const std::uint32_t d = entry.deal();
        if (deal_[d].fpat == line) {
            if (deal_[d].holds + entry.slot() != first_[d]) {
                return false;
            }
            ++same;
        } else if (pos_[deal_[d].fpat] > pos_[line]) {
            return false;
        }
    }
    return same == decided;
}

Planner::LineCosts Planner::line_costs() const {
    LineCosts out{std::vector<double>(t_.keys.size(), 0.0), std::vector<char>(t_.keys.size(), 0)};
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        const DealLead& lead = deal_[d];
        const bool second = second_[d] != kOff;
        if (lead.fpat != t_.discard_all && second) {
            out.cost[lead.fpat] += lead.weight() * (lead.fval - lead.sval);
        }
        if (pat(lead.fpat, first_[d]) && (!second || lead.sval < lead.fval)) {
            out.keeps[lead.fpat] = 1;
        }
    }
    return out;
}

std::pair<std::uint32_t, double> Planner::cheapest_line(const LineCosts& costs) const {
    const std::vector<double>& cost = costs.cost;
    std::uint32_t pick = kOff;
    for (const std::uint32_t p : order_) {
        if (p != t_.discard_all && costs.keeps[p] == 0 && (pick == kOff || cost[p] < cost[pick])) {
            pick = p;
        }
    }
    return {pick, pick == kOff ? 0.0 : cost[pick] / total_};
}

// Drops a line, then lets the coarser patterns of the dropped line in where they gain.
void Planner::drop(std::uint32_t p) {
    place(p, kOff);
    for (const std::uint32_t c : t_.parents[p]) {
        if (pos_[c] == kOff) {
            improve(c, false);
        }
    }
}

// The chart's value on the deals that show pattern p, per coin over all deals.
double Planner::value_over(std::uint32_t p) const {
    double sum = 0.0;
    for (auto entry = by_pattern_.entries(p); entry.next();) {
        const DealLead& lead = deal_[entry.deal()];
        sum += lead.weight() * lead.fval;
    }
    return sum / total_;
}

// What the chart costs against perfect play, as a share of the return.
double Planner::shortfall() const {
    return (perfect_ - chart_value()) / total_;
}

double Planner::chart_value() const {
    double sum = 0.0;
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        sum += deal_[d].weight() * deal_[d].fval;
    }
    return sum;
}

// Puts the chart back to these lines.
void Planner::restore(const ChartLines& lines) {
    for (const std::uint32_t p : order_) {
        pos_[p] = kOff;
    }
    order_ = lines;
    for (std::uint32_t i = 0; i < order_.size(); ++i) {
        pos_[order_[i]] = i;
    }
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        refresh(d);
    }
}

void Planner::resume(const PlannerState& state) {
    restore(state.order);
    merge_price_ = state.merge_price;
}

void Planner::refresh(std::size_t d) {
    // The two places are kept beside the entries, so that most entries, on no line or below
    // both, cost one comparison. No two entries of a deal share a place but kOff.
    std::uint32_t a = kOff;
    std::uint32_t b = kOff;
    std::uint32_t at_a = kOff;
    std::uint32_t at_b = kOff;
    for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
        const std::uint32_t pe = pos_[t_.pattern(e)];
        if (pe < at_b) [[unlikely]] {
            if (pe < at_a) {
                b = a;
                at_b = at_a;
                a = e;
                at_a = pe;
            } else {
                b = e;
                at_b = pe;
            }
        }
    }
    DealLead& lead = deal_[d];
    first_[d] = a == kOff ? kOff : t_.hold(d, a);
    lead.fpat = a == kOff ? kOff : t_.pattern(a);
    lead.fval = a == kOff ? 0.0 : t_.hold_value(first_[d]);
    second_[d] = b == kOff ? kOff : t_.hold(d, b);
    lead.spat = b == kOff ? kOff : t_.pattern(b);
    lead.sval = b == kOff ? 0.0 : t_.hold_value(second_[d]);
}

// Moves pattern p to `slot` of the chart (kOff: out of it). Deals where p was one of the
// first two lines are looked over again; elsewhere p can only step in front.
void Planner::place(std::uint32_t p, std::uint32_t slot) {
    const bool was_active = pos_[p] != kOff;
    if (was_active) {
        order_.erase(order_.begin() + pos_[p]);
    }
    if (slot != kOff) {
        order_.insert(order_.begin() + slot, p);
    }
    pos_[p] = kOff;
    for (std::uint32_t i = 0; i < order_.size(); ++i) {
        pos_[order_[i]] = i;
    }
    for (auto entry = by_pattern_.entries(p); entry.next();) {
        const std::uint32_t d = entry.deal();
        DealLead& lead = deal_[d];
        if (was_active && (lead.fpat == p || lead.spat == p)) {
            refresh(d);
        } else if (slot != kOff) {
            const std::uint32_t here = pos_[p];
            const std::uint32_t hold = lead.holds + entry.slot();
            if (here < pos_[lead.fpat]) {
                second_[d] = first_[d];
                lead.spat = lead.fpat;
                lead.sval = lead.fval;
                first_[d] = hold;
                lead.fpat = p;
                lead.fval = entry.value();
            } else if (second_[d] == kOff || here < pos_[lead.spat]) {
                second_[d] = hold;
                lead.spat = p;
                lead.sval = entry.value();
            }
        }
    }
}

}  // namespace quillon::odds::chart_search

#include "odds/strategy/search/chart_planner.h"

#include "base/stop.h"

#include <algorithm>
#include <limits>

#include "odds/strategy/patterns/pattern_key.h"

namespace quillon::odds::chart_search {

// Mends every pat hand the chart breaks, the cheaper of two ways: a line of the chart that
// keeps the hand moves just above the line that breaks it, or the hand's finest pattern comes
// in there (costing a line). True if it changed the chart.
bool Planner::keep_pat_hands() {
    bool moved = false;
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        std::uint32_t finest = kOff;
        std::uint32_t active = kOff;
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            if (pat(t_.pattern(e), t_.hold(d, e)) && t_.hold_value(first_[d]) < t_.value(d, e)) {
                finest = finest == kOff ? e : finest;
                active = pos_[t_.pattern(e)] != kOff ? e : active;
            }
        }
        if (finest == kOff) {
            continue;
        }
        moved = true;
        const std::uint32_t above = pos_[deal_[d].fpat];
        const auto lift = [&](std::uint32_t p) {
            place(p, pos_[p] != kOff && pos_[p] < above ? above - 1 : above);
        };
        const std::uint32_t fine = t_.pattern(finest);
        if (active == kOff || t_.pattern(active) == fine) {
            lift(fine);
            continue;
        }
        const std::uint32_t coarse = t_.pattern(active);
        const std::uint32_t was = pos_[coarse];
        lift(coarse);
        const double moving = chart_value();
        place(coarse, was);
        lift(fine);
        const double adding = chart_value() - cheapest_line().second * total_;
        if (moving >= adding) {
            place(fine, kOff);
            lift(coarse);
        }
    }
    return moved;
}

// Drops the lines that decide no deal; they change nothing. True if it dropped any.
bool Planner::drop_idle() {
    std::vector<char> decides(t_.keys.size(), 0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        decides[deal_[d].fpat] = 1;
    }
    bool dropped = false;
    for (const std::uint32_t p : ChartLines(order_)) {
        if (decides[p] == 0 && p != t_.discard_all) {
            place(p, kOff);
            dropped = true;
        }
    }
    return dropped;
}

// Lines that never meet on one deal can swap without changing a single hold; they are put in
// the order of what their holds return, so the chart reads the way published ones do.
// A line of dealt hands kept whole that decides only what a plainer pattern would ("two pair,
// three of a kind, ..." below a line that takes the rest, deciding two pair alone) is written
// as that pattern: the same holds of the same deals, in fewer words.
void Planner::plain_words() {
    for (const std::uint32_t line : ChartLines(order_)) {
        if (!keeps_dealt_hand(t_.keys[line])) {
            continue;
        }
        std::size_t decided = 0;
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            decided += deal_[d].fpat == line ? 1 : 0;
        }
        std::uint32_t pick = kOff;
        for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
            if (pos_[p] == kOff && !keeps_dealt_hand(t_.keys[p]) &&
                (pick == kOff || by_pattern_.count(p) > by_pattern_.count(pick)) &&
                decides_as(p, line, decided)) {
                pick = p;
            }
        }
        if (pick != kOff) {
            const std::uint32_t slot = pos_[line];
            place(line, kOff);
            place(pick, slot);
        }
    }
}

void Planner::tidy() {
    const std::size_t n = order_.size();
    std::vector<char> meet(n * n, 0);
    std::vector<double> sum(n, 0.0);
    std::vector<double> weight(n, 0.0);
    std::vector<std::uint32_t> shown;
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        shown.clear();
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            if (pos_[t_.pattern(e)] != kOff) {
                shown.push_back(pos_[t_.pattern(e)]);
            }
        }
        for (const std::uint32_t a : shown) {
            for (const std::uint32_t b : shown) {
                meet[a * n + b] = 1;
            }
        }
        const std::uint32_t f = pos_[deal_[d].fpat];
        sum[f] += deal_[d].weight() * t_.hold_value(first_[d]);
        weight[f] += deal_[d].weight();
    }
    std::vector<std::uint32_t> slot(n);
    std::vector<double> mean(n);
    for (std::uint32_t i = 0; i < n; ++i) {
        slot[i] = i;
        mean[i] = weight[i] > 0.0 ? sum[i] / weight[i] : 0.0;
    }
    // Bubbles each line up past the lines it never meets that return less.
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (std::size_t i = 0; i + 1 < n; ++i) {
            const std::uint32_t a = slot[i];
            const std::uint32_t b = slot[i + 1];
            if (order_[b] != t_.discard_all && meet[a * n + b] == 0 && mean[b] > mean[a] + 1e-12) {
                std::swap(slot[i], slot[i + 1]);
                swapped = true;
            }
        }
    }
    ChartLines tidied;
    for (const std::uint32_t i : slot) {
        tidied.push_back(order_[i]);
    }
    order_ = tidied;
    for (std::uint32_t i = 0; i < order_.size(); ++i) {
        pos_[order_[i]] = i;
    }
}

// Places first the pattern that costs least on the deals it would decide now, against their
// best holds, until "discard everything" closes the chart.
void Planner::greedy() {
    const std::size_t patterns = t_.keys.size();
    std::vector<double> regret(patterns, 0.0);
    std::vector<std::uint32_t> live(patterns, 0);
    std::vector<char> decided(t_.deal_count(), 0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            regret[t_.pattern(e)] += deal_[d].weight() * (t_.perfect[d] - t_.value(d, e));
            ++live[t_.pattern(e)];
        }
    }
    order_.clear();
    stop_point();
    for (;;) {
        std::uint32_t pick = kOff;
        for (std::uint32_t p = 0; p < patterns; ++p) {
            if (live[p] > 0 && pos_[p] == kOff && (pick == kOff || regret[p] < regret[pick])) {
                pick = p;
            }
        }
        // Once every deal is decided the chart closes at once.
        pick = pick == kOff ? t_.discard_all : pick;
        pos_[pick] = static_cast<std::uint32_t>(order_.size());
        order_.push_back(pick);
        for (auto entry = by_pattern_.entries(pick); entry.next();) {
            const std::uint32_t d = entry.deal();
            if (decided[d] != 0) {
                continue;
            }
            decided[d] = 1;
            for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
                regret[t_.pattern(e)] -= deal_[d].weight() * (t_.perfect[d] - t_.value(d, e));
                --live[t_.pattern(e)];
            }
        }
        if (pick == t_.discard_all) {
            break;
        }
    }
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        refresh(d);
    }
}

// Moves every line, and with `insert` every unused pattern too, to the place in the chart
// where it gains most; false when no move gained anything.
bool Planner::sweep(bool insert, std::size_t max_lines, bool seed) {
    bool moved = false;
    for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
        if (p == t_.discard_all || (pos_[p] == kOff && (!insert || order_.size() >= max_lines))) {
            continue;
        }
        moved = improve(p, seed) || moved;
    }
    return moved;
}

// Moves one pattern to the place in the chart where it gains most, in or out of the chart;
// false when it stays where it is.
bool Planner::improve(std::uint32_t p, bool seed, bool force) {
    // Every step of the search starts here, or in a merge's price: a caller may stop it.
    stop_point();
    const bool active = pos_[p] != kOff;
    const std::size_t others = order_.size() - (active ? 1 : 0);
    bucket_.assign(others, 0.0);
    if (by_pattern_.count(p) == 0) {
        return false;
    }
    // A deal shows each pattern once, so the deal's first line is p exactly where p's entry
    // is its first.
    for (auto entry = by_pattern_.entries(p); entry.next();) {
        const DealLead& lead = deal_[entry.deal()];
        const bool own = lead.fpat == p;
        std::uint32_t slot = pos_[own ? lead.spat : lead.fpat];
        slot -= active && slot > pos_[p] ? 1 : 0;
        bucket_[slot] += lead.weight() * (entry.value() - (own ? lead.sval : lead.fval));
    }
    // Placed at slot k the pattern decides the deals whose other first line comes at k or
    // later; "discard everything" stays last, so k runs up to its slot. Seeding puts an
    // unused pattern in even where it gains nothing yet, as high as that keeps it harmless.
    const bool seeding = seed && !active;
    double gain = 0.0;
    double best_gain = force ? -std::numeric_limits<double>::infinity() : seeding ? -eps_ : 0.0;
    std::uint32_t best_slot = kOff;
    double current = 0.0;
    for (std::size_t k = others; k-- > 0;) {
        gain += bucket_[k];
        if (active && k == pos_[p]) {
            current = gain;
        }
        if (gain > best_gain + eps_ || (seeding && gain >= best_gain - eps_) ||
            (force && best_slot == kOff)) {
            best_gain = std::max(gain, best_gain);
            best_slot = static_cast<std::uint32_t>(k);
        }
    }
    if (seeding || force) {
        if (best_slot != kOff) {
            place(p, best_slot);
        }
        return best_slot != kOff;
    }
    if (active && best_slot == pos_[p]) {
        return false;
    }
    if (best_gain > current + eps_) {
        place(p, best_slot);
        return true;
    }
    return false;
}

void Planner::settle(bool insert, std::size_t max_lines) {
    for (int i = 0; i < kMaxSweeps && sweep(insert, max_lines); ++i) {
    }
}

}  // namespace quillon::odds::chart_search

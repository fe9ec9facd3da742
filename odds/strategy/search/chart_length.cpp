#include "odds/strategy/search/chart_planner.h"

#include "base/stop.h"

#include <algorithm>
#include <limits>

#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/words/distinction.h"

namespace quillon::odds::chart_search {

// Replaces the lines below a coarser pattern by that one pattern at its best place.
void Planner::merge(std::uint32_t parent, const std::vector<std::uint32_t>& children) {
    for (const std::uint32_t c : children) {
        place(c, kOff);
    }
    improve(parent, false, true);
}

// The active children of each unused coarser pattern that has two or more, and of each line
// of the joker games' made hands from a floor up ("full house or better, all five cards")
// that has one or more: such a line may take the place of its finer line elsewhere in the
// chart ("full house" above "two pair", "full house or better" below it). Other lines are
// left out: there the move made charts of other games longer than asked or worse as often
// as better.
std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> Planner::merges(
    const std::vector<char>& keeps) const {
    std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> out;
    for (std::uint32_t c = 0; c < kids_.size(); ++c) {
        if (pos_[c] != kOff && merges_into_coarser(t_.keys[c])) {
            continue;
        }
        const std::size_t least = pos_[c] != kOff ? 1 : 2;
        std::vector<std::uint32_t> active;
        bool keeps_pat = false;
        for (const std::uint32_t k : kids_[c]) {
            if (pos_[k] != kOff) {
                active.push_back(k);
                keeps_pat = keeps_pat || keeps[k] != 0;
            }
        }
        if (active.size() >= least &&
            (!keeps_pat || is_pat_pattern(t_.keys[c]) || keeps_dealt_hand(t_.keys[c]))) {
            std::sort(active.begin(), active.end(),
                      [&](std::uint32_t a, std::uint32_t b) { return pos_[a] < pos_[b]; });
            out.emplace_back(c, std::move(active));
        }
    }
    return out;
}

// The cheapest way to shorten the chart, per line it saves: dropping one line, or merging
// lines into a coarser pattern (tried for real and undone).
// What merging into `parent` costs per line it saves, tried for real and undone. Only the
// deals that show the parent can change, as every deal showing a child shows it too.
double Planner::merge_rate(std::uint32_t parent, const std::vector<std::uint32_t>& children) {
    stop_point();
    // The merge changes only the deals that show the parent or a child, so those and the
    // order are kept and put back as they were.
    const ChartLines order = order_;
    // Each deal is kept once, however many of the patterns it shows.
    saved_.clear();
    // Every deal that shows a child shows the parent.
    saved_.reserve(by_pattern_.count(parent));
    ++round_;
    const auto keep = [&](std::uint32_t p) {
        for (auto entry = by_pattern_.entries(p); entry.next();) {
            const std::uint32_t d = entry.deal();
            if (saved_round_[d] != round_) {
                saved_round_[d] = round_;
                const DealLead& lead = deal_[d];
                saved_.push_back(SavedDeal{lead.fval, lead.sval, d, first_[d], second_[d],
                                           lead.fpat, lead.spat});
            }
        }
    };
    keep(parent);
    for (const std::uint32_t c : children) {
        keep(c);
    }
    const bool was_line = pos_[parent] != kOff;
    const double before = value_over(parent);
    merge(parent, children);
    const double saved =
        static_cast<double>(children.size() - (!was_line && pos_[parent] != kOff ? 1 : 0));
    const double rate = (before - value_over(parent)) / saved;
    for (const std::uint32_t p : order_) {
        pos_[p] = kOff;
    }
    order_ = order;
    for (std::uint32_t i = 0; i < order_.size(); ++i) {
        pos_[order_[i]] = i;
    }
    for (const SavedDeal& s : saved_) {
        first_[s.deal] = s.first;
        second_[s.deal] = s.second;
        DealLead& lead = deal_[s.deal];
        lead.fval = s.fval;
        lead.sval = s.sval;
        lead.fpat = s.fpat;
        lead.spat = s.spat;
    }
    return rate;
}

// The cheapest way to shorten the chart, per line it saves: dropping one line, or merging
// lines into a coarser pattern. Merges are priced lazily: a price is kept until that merge
// looks best, and then tried afresh before it is taken.
bool Planner::shorten(double limit) {
    // Both look at the lines that alone keep a pat hand; it is worked out once.
    const LineCosts costs = line_costs();
    const auto [single, single_cost] = cheapest_line(costs);
    auto candidates = merges(costs.keeps);
    std::vector<double> rate(candidates.size());
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const auto it = merge_price_.find(candidates[i].first);
        rate[i] = it != merge_price_.end() ? it->second
                                           : merge_price_[candidates[i].first] = merge_rate(
                                                 candidates[i].first, candidates[i].second);
    }
    std::vector<char> fresh(candidates.size(), 0);
    std::size_t pick = candidates.size();
    for (;;) {
        pick = candidates.size();
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            if (rate[i] < single_cost && (pick == candidates.size() || rate[i] < rate[pick])) {
                pick = i;
            }
        }
        if (pick == candidates.size() || fresh[pick] != 0) {
            break;
        }
        rate[pick] = merge_price_[candidates[pick].first] =
            merge_rate(candidates[pick].first, candidates[pick].second);
        fresh[pick] = 1;
    }
    const double best_rate = pick == candidates.size() ? single_cost : rate[pick];
    if (best_rate >= limit || (pick == candidates.size() && single == kOff)) {
        return false;
    }
    if (pick != candidates.size()) {
        merge(candidates[pick].first, candidates[pick].second);
        merge_price_.erase(candidates[pick].first);
    } else {
        drop(single);
    }
    return true;
}

// The most each unused pattern gains placed anywhere in the chart, and where, in one pass
// over the entries in the order they are stored (deal by deal).
std::vector<std::pair<double, std::uint32_t>> Planner::best_inserts() const {
    const std::size_t lines = order_.size();
    std::vector<double> buckets(t_.keys.size() * lines, 0.0);
    for (std::size_t d = 0; d < t_.deal_count(); ++d) {
        const double floor = deal_[d].fval;
        const std::size_t slot = pos_[deal_[d].fpat];
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            const std::uint32_t p = t_.pattern(e);
            if (pos_[p] == kOff) {
                buckets[p * lines + slot] += deal_[d].weight() * (t_.value(d, e) - floor);
            }
        }
    }
    std::vector<std::pair<double, std::uint32_t>> out(t_.keys.size(), {0.0, kOff});
    for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
        if (pos_[p] != kOff) {
            continue;
        }
        double gain = 0.0;
        double best = 0.0;
        for (std::size_t k = lines; k-- > 0;) {
            gain += buckets[p * lines + k];
            if (gain > best + eps_) {
                best = gain;
                out[p] = {best / total_, static_cast<std::uint32_t>(k)};
            }
        }
    }
    return out;
}

// Trades the cheapest line for the unused pattern that gains most, while that pays.
void Planner::exchange(std::size_t rounds) {
    stop_point();
    for (std::size_t round = 0; round < rounds; ++round) {
        const auto [cheap, cost] = cheapest_line();
        if (cheap == kOff) {
            return;
        }
        double best = cost;
        std::uint32_t pick = kOff;
        std::uint32_t where = kOff;
        const std::vector<std::pair<double, std::uint32_t>> inserts = best_inserts();
        for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
            if (pos_[p] == kOff && p != t_.discard_all && inserts[p].first > best) {
                best = inserts[p].first;
                pick = p;
                where = inserts[p].second;
            }
        }
        if (pick == kOff) {
            return;
        }
        const double before = chart_value();
        const std::uint32_t cheap_slot = pos_[cheap];
        place(pick, where);
        place(cheap, kOff);
        settle(false, order_.size());
        if (chart_value() <= before + eps_) {
            place(pick, kOff);
            place(cheap, cheap_slot);
            return;
        }
    }
}

void Planner::drop_to(std::size_t max_lines) {
    shorten_to(max_lines);
    finish_drop(max_lines);
}

bool Planner::shorten_step(std::size_t& drops) {
    if (!shorten()) {
        return false;
    }
    // A sweep without inserts moves only the lines there are, whatever the length.
    if (++drops % kDropsPerSweep == 0) {
        sweep(false, order_.size());
    }
    return true;
}

void Planner::shorten_to(std::size_t max_lines) {
    std::size_t drops = 0;
    while (order_.size() > max_lines && shorten_step(drops)) {
    }
}

void Planner::finish_drop(std::size_t max_lines) {
    // A merge may break a pat hand; its line then comes back and the chart shortens again.
    ChartLines mended;
    for (int round = 0; round < kPatRounds; ++round) {
        if (round > 0) {
            shorten_to(max_lines);
        }
        // A merge that saved more lines than asked leaves room: patterns come back into it.
        settle(true, max_lines);
        exchange(kExchanges);
        const bool moved = keep_pat_hands();
        const bool dropped = drop_idle();
        // A trade that breaks the hand a mend kept, mended back the same way, ends it too.
        if ((!moved && !dropped && order_.size() <= max_lines) || order_ == mended) {
            break;
        }
        mended = order_;
    }
    drop_idle();
}

// Drops the lines worth less than keeping, but stops before the chart would cost more than
// `most` (a share of the return).
void Planner::drop_cheap(double most) {
    std::size_t drops = 0;
    for (;;) {
        const ChartLines before = order_;
        if (!shorten(kWorthKeeping)) {
            break;
        }
        if (++drops % kDropsPerSweep == 0) {
            sweep(false, order_.size());
        }
        if (shortfall() > most) {
            restore(before);
            break;
        }
    }
    settle(false, order_.size());
}

}  // namespace quillon::odds::chart_search

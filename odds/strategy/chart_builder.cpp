#include "odds/strategy/chart_builder.h"

#include <algorithm>
#include <limits>
#include <unordered_map>

#include "odds/stop.h"
#include "odds/strategy/pattern_entries.h"
#include "odds/strategy/pattern_key.h"
#include "odds/strategy/spanning_patterns.h"

namespace quillon::odds {

namespace {

constexpr std::uint32_t kOff = std::numeric_limits<std::uint32_t>::max();
// A line whose removal costs less than this share of the return is not worth learning.
constexpr double kWorthKeeping = 5e-6;
// The longest chart the default length gives.
constexpr std::size_t kLongest = 60;
// What the default length may cost against perfect play, as a share of the return (half a
// hundredth of a percentage point): where even every line worth anything costs more, the default
// is the best chart of the longest length rather than the lines worth keeping.
constexpr double kDefaultCost = 5e-5;
constexpr int kMaxSweeps = 30;
constexpr std::size_t kDropsPerSweep = 6;
constexpr int kPatRounds = 4;
// The most trades of a line for an unused pattern when the chart is cut to a length.
constexpr std::size_t kExchanges = 8;

// A deal's weight, where its holds start in the table, and the pattern and value of its first
// two lines: the search reads them together, for deals in no particular order, so they share a
// cache line.
struct alignas(32) DealLead {
    double fval = 0.0;
    double sval = 0.0;
    std::uint32_t count = 0;
    std::uint32_t holds = 0;
    std::uint32_t fpat = 0;
    std::uint32_t spat = 0;

    double weight() const { return static_cast<double>(count); }
};
static_assert(sizeof(DealLead) == 32);

// What a trial changes of one deal, to put back: 40 bytes, as a trial may touch every deal.
struct SavedDeal {
    double fval;
    double sval;
    std::uint32_t deal;
    std::uint32_t first;
    std::uint32_t second;
    std::uint32_t fpat;
    std::uint32_t spat;
};
static_assert(sizeof(SavedDeal) == 40);

// The search state: the chart as an order of patterns, and for every deal the holds of the
// first two lines it shows, so that moving or dropping one line is measured exactly from them.
class Planner {
  public:
    explicit Planner(const DealPatterns& t)
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
                    part_as_good =
                        part_as_good || (f != h && (t.hold_mask[f] & ~t.hold_mask[h]) == 0 &&
                                         t.hold_value(f) == t.perfect[d]);
                }
                pat_hold_[h] = !part_as_good;
            }
        }
    }

    // Mends every pat hand the chart breaks, the cheaper of two ways: a line of the chart that
    // keeps the hand moves just above the line that breaks it, or the hand's finest pattern comes
    // in there (costing a line). True if it changed the chart.
    bool keep_pat_hands() {
        bool moved = false;
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            std::uint32_t finest = kOff;
            std::uint32_t active = kOff;
            for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
                if (pat(t_.pattern(e), t_.hold(d, e)) &&
                    t_.hold_value(first_[d]) < t_.value(d, e)) {
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
    bool drop_idle() {
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
    void plain_words() {
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

    // Whether pattern p, put in place of `line`, would decide the same `decided` deals with the
    // same holds and no others.
    bool decides_as(std::uint32_t p, std::uint32_t line, std::size_t decided) const {
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

    void tidy() {
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
                if (order_[b] != t_.discard_all && meet[a * n + b] == 0 &&
                    mean[b] > mean[a] + 1e-12) {
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
    void greedy() {
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
    bool sweep(bool insert, std::size_t max_lines, bool seed = false) {
        bool moved = false;
        for (std::uint32_t p = 0; p < t_.keys.size(); ++p) {
            if (p == t_.discard_all ||
                (pos_[p] == kOff && (!insert || order_.size() >= max_lines))) {
                continue;
            }
            moved = improve(p, seed) || moved;
        }
        return moved;
    }

    // Moves one pattern to the place in the chart where it gains most, in or out of the chart;
    // false when it stays where it is.
    bool improve(std::uint32_t p, bool seed, bool force = false) {
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
            // The hold's place from the table's small list rather than the deal's lead, so that
            // the processor fetches the value and the lead at once.
            const double value = t_.hold_value(t_.hold_begin[entry.deal()] + entry.slot());
            bucket_[slot] += lead.weight() * (value - (own ? lead.sval : lead.fval));
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

    void settle(bool insert, std::size_t max_lines) {
        for (int i = 0; i < kMaxSweeps && sweep(insert, max_lines); ++i) {
        }
    }

    // What dropping each line would cost, and the cheapest line with its cost.
    std::pair<std::uint32_t, double> cheapest_line() const { return cheapest_line(keeping()); }
    std::pair<std::uint32_t, double> cheapest_line(const std::vector<char>& keeps) const {
        std::vector<double> cost(t_.keys.size(), 0.0);
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            if (deal_[d].fpat != t_.discard_all && second_[d] != kOff) {
                cost[deal_[d].fpat] += deal_[d].weight() * (deal_[d].fval - deal_[d].sval);
            }
        }
        std::uint32_t pick = kOff;
        for (const std::uint32_t p : order_) {
            if (p != t_.discard_all && keeps[p] == 0 && (pick == kOff || cost[p] < cost[pick])) {
                pick = p;
            }
        }
        return {pick, pick == kOff ? 0.0 : cost[pick] / total_};
    }

    // The lines that alone keep some pat hand: they stay.
    std::vector<char> keeping() const {
        std::vector<char> keeps(t_.keys.size(), 0);
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            if (pat(deal_[d].fpat, first_[d]) &&
                (second_[d] == kOff || deal_[d].sval < deal_[d].fval)) {
                keeps[deal_[d].fpat] = 1;
            }
        }
        return keeps;
    }

    // Drops a line, then lets the coarser patterns of the dropped line in where they gain.
    void drop(std::uint32_t p) {
        place(p, kOff);
        for (const std::uint32_t c : t_.parents[p]) {
            if (pos_[c] == kOff) {
                improve(c, false);
            }
        }
    }

    // The chart's value on the deals that show pattern p, per coin over all deals.
    double value_over(std::uint32_t p) const {
        double sum = 0.0;
        for (auto entry = by_pattern_.entries(p); entry.next();) {
            const DealLead& lead = deal_[entry.deal()];
            sum += lead.weight() * lead.fval;
        }
        return sum / total_;
    }

    // Replaces the lines below a coarser pattern by that one pattern at its best place.
    void merge(std::uint32_t parent, const std::vector<std::uint32_t>& children) {
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
    std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> merges(
        const std::vector<char>& keeps) const {
        std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> out;
        for (std::uint32_t c = 0; c < kids_.size(); ++c) {
            if (pos_[c] != kOff && pattern_key::get(t_.keys[c], pattern_key::kFloors) == 0) {
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
    double merge_rate(std::uint32_t parent, const std::vector<std::uint32_t>& children) {
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
    bool shorten(double limit = std::numeric_limits<double>::infinity()) {
        // Both look at the lines that alone keep a pat hand; it is worked out once.
        const std::vector<char> keeps = keeping();
        const auto [single, single_cost] = cheapest_line(keeps);
        auto candidates = merges(keeps);
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
    std::vector<std::pair<double, std::uint32_t>> best_inserts() const {
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

    // What the chart costs against perfect play, as a share of the return.
    double shortfall() const {
        double perfect = 0.0;
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            perfect += deal_[d].weight() * t_.perfect[d];
        }
        return (perfect - chart_value()) / total_;
    }

    double chart_value() const {
        double sum = 0.0;
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            sum += deal_[d].weight() * deal_[d].fval;
        }
        return sum;
    }

    // Trades the cheapest line for the unused pattern that gains most, while that pays.
    void exchange(std::size_t rounds) {
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

    void drop_to(std::size_t max_lines) {
        // A merge may break a pat hand; its line then comes back and the chart shortens again.
        ChartLines mended;
        for (int round = 0; round < kPatRounds; ++round) {
            std::size_t drops = 0;
            while (order_.size() > max_lines) {
                if (!shorten()) {
                    break;
                }
                if (++drops % kDropsPerSweep == 0) {
                    sweep(false, max_lines);
                }
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
    void drop_cheap(double most) {
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

    const ChartLines& order() const { return order_; }

  private:
    // Puts the chart back to these lines.
    void restore(const ChartLines& lines) {
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

    void refresh(std::size_t d) {
        std::uint32_t a = kOff;
        std::uint32_t b = kOff;
        for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
            const std::uint32_t pe = pos_[t_.pattern(e)];
            if (pe == kOff) {
                continue;
            }
            if (a == kOff || pe < pos_[t_.pattern(a)]) {
                b = a;
                a = e;
            } else if (b == kOff || pe < pos_[t_.pattern(b)]) {
                b = e;
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
    void place(std::uint32_t p, std::uint32_t slot) {
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
                    lead.fval = t_.hold_value(hold);
                } else if (second_[d] == kOff || here < pos_[lead.spat]) {
                    second_[d] = hold;
                    lead.spat = p;
                    lead.sval = t_.hold_value(hold);
                }
            }
        }
    }

    // Whether the hold of pattern p in a deal keeps a pat hand the chart must not break.
    bool pat(std::uint32_t p, std::uint32_t hold) const {
        return pat_key_[p] != 0 && pat_hold_[hold];
    }

    const DealPatterns& t_;
    std::vector<std::uint32_t> pos_;
    ChartLines order_;
    std::vector<DealLead> deal_;
    double total_ = 0.0;
    double eps_ = 0.0;
    PatternEntries by_pattern_;
    // The holds of each deal's first two lines (indices into the table's holds).
    std::vector<std::uint32_t> first_;
    std::vector<std::uint32_t> second_;
    std::vector<double> bucket_;
    std::vector<SavedDeal> saved_;
    // The merge trial that last kept each deal.
    std::vector<std::uint32_t> saved_round_;
    std::uint32_t round_ = 0;
    std::vector<std::vector<std::uint32_t>> kids_;
    std::unordered_map<std::uint32_t, double> merge_price_;
    // Which patterns keep a pat hand, and which holds keep one that is the deal's best.
    std::vector<char> pat_key_;
    std::vector<bool> pat_hold_;
};

}  // namespace

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

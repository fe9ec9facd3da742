#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/pattern_entries.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/order_faults.h"

// The chart search's state and its steps, shared by the files that hold them: the state and its
// bookkeeping (chart_planner.cpp), the search for the best order of lines (chart_search.cpp),
// and the cuts down to a chart's length (chart_length.cpp). build_chart (chart_builder.cpp)
// drives them, through a LengthSearch (length_search.cpp) for every length it asks for.
namespace quillon::odds::chart_search {

constexpr std::uint32_t kOff = std::numeric_limits<std::uint32_t>::max();
// A line whose removal costs less than this share of the return is not worth learning.
constexpr double kWorthKeeping = 5e-6;
// The longest chart the default length gives.
constexpr std::size_t kLongest = 60;
// How many lines longer than the default a chart is tried, to see whether the lines it adds pay
// for themselves together.
constexpr std::size_t kLookAhead = 2;
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

// What of the search state a later step reads besides the deals' first two lines, which follow
// from the chart's lines: the lines, and the merge prices kept so far.
struct PlannerState {
    ChartLines order;
    std::unordered_map<std::uint32_t, double> merge_price;
};

// The search state: the chart as an order of patterns, and for every deal the holds of the
// first two lines it shows, so that moving or dropping one line is measured exactly from them.

class Planner {
  public:
    explicit Planner(const DealPatterns& t);

    // Mends every pat hand the chart breaks, the cheaper of two ways: a line of the chart that
    // keeps the hand moves just above the line that breaks it, or the hand's finest pattern comes
    // in there (costing a line). True if it changed the chart.
    bool keep_pat_hands();

    // Drops the lines that decide no deal; they change nothing. True if it dropped any.
    bool drop_idle();

    // Mends the faults of the chart's order (order_faults.h) that can be mended within
    // `max_lines` lines for at most a ten-thousandth of a point each: a draw line moves above the
    // made hand it beats, a line of several made hands is split around the draw, or the hold that
    // breaks a pat hand comes in above its line. True if it changed the chart.
    bool mend_order(std::size_t max_lines);

    // Lines that never meet on one deal can swap without changing a single hold; they are put in
    // the order of what their holds return, so the chart reads the way published ones do.
    // A line of dealt hands kept whole that decides only what a plainer pattern would ("two pair,
    // three of a kind, ..." below a line that takes the rest, deciding two pair alone) is written
    // as that pattern: the same holds of the same deals, in fewer words.
    void plain_words();

    // Whether pattern p, put in place of `line`, would decide the same `decided` deals with the
    // same holds and no others.
    bool decides_as(std::uint32_t p, std::uint32_t line, std::size_t decided) const;

    void tidy();

    // Places first the pattern that costs least on the deals it would decide now, against their
    // best holds, until "discard everything" closes the chart.
    void greedy();

    // Moves every line, and with `insert` every unused pattern too, to the place in the chart
    // where it gains most; false when no move gained anything.
    bool sweep(bool insert, std::size_t max_lines, bool seed = false);

    // Moves one pattern to the place in the chart where it gains most, in or out of the chart;
    // false when it stays where it is.
    bool improve(std::uint32_t p, bool seed, bool force = false);

    void settle(bool insert, std::size_t max_lines);

    // What dropping each line would cost, and the lines that alone keep some pat hand (they
    // stay), from one pass over the deals.
    struct LineCosts {
        std::vector<double> cost;
        std::vector<char> keeps;
    };
    LineCosts line_costs() const;

    // The cheapest line with its cost.
    std::pair<std::uint32_t, double> cheapest_line() const { return cheapest_line(line_costs()); }
    std::pair<std::uint32_t, double> cheapest_line(const LineCosts& costs) const;

    // The lines that alone keep some pat hand: they stay.
    std::vector<char> keeping() const { return line_costs().keeps; }

    // Drops a line, then lets the coarser patterns of the dropped line in where they gain.
    void drop(std::uint32_t p);

    // The chart's value on the deals that show pattern p, per coin over all deals.
    double value_over(std::uint32_t p) const;

    // Replaces the lines below a coarser pattern by that one pattern at its best place.
    void merge(std::uint32_t parent, const std::vector<std::uint32_t>& children);

    // The active children of each unused coarser pattern that has two or more, and of each line
    // of the joker games' made hands from a floor up ("full house or better, all five cards")
    // that has one or more: such a line may take the place of its finer line elsewhere in the
    // chart ("full house" above "two pair", "full house or better" below it). Other lines are
    // left out: there the move made charts of other games longer than asked or worse as often
    // as better.
    std::vector<std::pair<std::uint32_t, std::vector<std::uint32_t>>> merges(
        const std::vector<char>& keeps) const;

    // The cheapest way to shorten the chart, per line it saves: dropping one line, or merging
    // lines into a coarser pattern (tried for real and undone).
    // What merging into `parent` costs per line it saves, tried for real and undone. Only the
    // deals that show the parent can change, as every deal showing a child shows it too.
    double merge_rate(std::uint32_t parent, const std::vector<std::uint32_t>& children);

    // The cheapest way to shorten the chart, per line it saves: dropping one line, or merging
    // lines into a coarser pattern. Merges are priced lazily: a price is kept until that merge
    // looks best, and then tried afresh before it is taken.
    bool shorten(double limit = std::numeric_limits<double>::infinity());

    // The most each unused pattern gains placed anywhere in the chart, and where, in one pass
    // over the entries in the order they are stored (deal by deal).
    std::vector<std::pair<double, std::uint32_t>> best_inserts() const;

    // What the chart costs against perfect play, as a share of the return.
    double shortfall() const;

    double chart_value() const;

    // Trades the cheapest line for the unused pattern that gains most, while that pays.
    void exchange(std::size_t rounds);

    void drop_to(std::size_t max_lines);

    // drop_to in two parts: the cuts down to the length, which take the same steps whatever the
    // length until the chart is within it, and the rest (lines back into any room left, trades,
    // pat hands mended, and more rounds of all that where a mend lengthened the chart).
    void shorten_to(std::size_t max_lines);
    void finish_drop(std::size_t max_lines);

    // One cut of shorten_to: the cheapest way to shorten, with a sweep after every few cuts
    // (`drops` counts them). False when nothing shortens the chart.
    bool shorten_step(std::size_t& drops);

    // Drops the lines worth less than keeping, but stops before the chart would cost more than
    // `most` (a share of the return).
    void drop_cheap(double most);

    const ChartLines& order() const { return order_; }

    // The state as it stands, and the planner put back to one taken before: every later step
    // then goes exactly as it went from there.
    PlannerState state() const { return PlannerState{order_, merge_price_}; }
    void resume(const PlannerState& state);

  private:
    // The steps of mend_order (chart_mending.cpp): the chart's faults as it stands, the pattern
    // that splits a line, and the chart cut back to its length.
    std::vector<OrderFault> faults() const;
    std::uint32_t split_of(std::uint32_t line, std::uint32_t kind) const;
    std::uint32_t line_over(std::uint32_t p, std::uint32_t line) const;
    bool trim_to(std::size_t max_lines, const std::vector<std::uint32_t>& kept);

    // Puts the chart back to these lines.
    void restore(const ChartLines& lines);

    void refresh(std::size_t d);

    // Moves pattern p to `slot` of the chart (kOff: out of it). Deals where p was one of the
    // first two lines are looked over again; elsewhere p can only step in front.
    void place(std::uint32_t p, std::uint32_t slot);

    // Whether the hold of pattern p in a deal keeps a pat hand the chart must not break.
    bool pat(std::uint32_t p, std::uint32_t hold) const {
        return pat_key_[p] != 0 && pat_hold_[hold];
    }

    const DealPatterns& t_;
    std::vector<std::uint32_t> pos_;
    ChartLines order_;
    std::vector<DealLead> deal_;
    double total_ = 0.0;
    // What perfect play returns, summed as total_ is.
    double perfect_ = 0.0;
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

}  // namespace quillon::odds::chart_search

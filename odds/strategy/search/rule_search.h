#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "odds/strategy/search/chart_rules.h"

// The state of the search for charts of rules (chart_rules.cpp drives it): the chart, and for
// every deal the value and place of the first two rules that take it. A rule takes a deal where
// its pattern's hold there (the one the tie rule keeps among the pattern's holds) meets its
// condition.
namespace quillon::odds::rule_search {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// A rule that might come in, and the best place for it.
struct Insert {
    double gain = 0.0;
    ChartRule rule;
    std::uint32_t slot = kNone;
};

// A plain line that asks a condition of the discards instead, where it gains.
// Split, the plain line comes back at `slot` below, to keep the deals the condition lets go.
struct Refine {
    double gain = 0.0;
    std::uint32_t index = kNone;
    DiscardCondition condition;
    std::uint32_t slot = kNone;
};

class RuleSearch {
  public:
    RuleSearch(const DealPatterns& table, const Game& game, const RuleWritable& writable);

    void set(ChartRules rules);
    const ChartRules& rules() const { return rules_; }

    // Plays every deal by the chart; the chart's value per coin.
    double evaluate();
    // After evaluate(): what the chart loses per coin against perfect play.
    double shortfall() const { return (perfect_ - value_) / total_; }
    double value() const { return value_ / total_; }

    // After evaluate(): the rule that gains most put in at its best place, among the rules that
    // would mend some misplayed deal (gain 0 where none gains).
    Insert best_insert();

    // After evaluate(): the exception on a finer pattern than any line that gains most at its
    // best place: the ranks kept, a rank discarded and another not (fine_exceptions.cpp).
    Insert best_fine_insert();

    // After evaluate(): the rule whose loss costs least (not the last, "discard everything"),
    // and what it costs per coin.
    std::pair<std::uint32_t, double> cheapest_drop() const;

    // After best_insert(): the `count` rules whose loss costs least, and the `count` plain lines
    // whose holds would mend most misplayed deals placed higher: the rules worth taking out to
    // make room, or to put back elsewhere.
    std::vector<std::uint32_t> trial_drops(std::size_t count) const;

    // After evaluate(): the plain line that gains most asking a condition of the discards, the
    // deals it then lets go passing to the rules below (gain 0 where none gains).
    // Split, the plain line is also put back at the best place below (one rule more).
    Refine best_refine(bool split = false) const;
    void refine(const Refine& move);

    void insert(const Insert& move);
    void drop(std::uint32_t index);

    // The smallest gain per coin the search counts.
    double tolerance() const { return eps_ / total_; }

  private:
    struct Candidate {
        ChartRule rule;
        // The condition's place among the search's, kNone on a plain line.
        std::uint32_t index = kNone;
        std::uint32_t least = 0;
        std::uint32_t most = 0;
    };

    // The conditions a rule on pattern p may ask, as the reader takes them.
    bool allowed(std::uint32_t p, const DiscardCondition& c) const;
    DiscardView view(std::size_t d, std::uint32_t e) const;
    // The search's conditions the hold of entry e meets, one bit each, worked out the first
    // time a hold is asked about.
    using Met = std::array<std::uint64_t, 2>;
    const Met& met(std::size_t d, std::uint32_t e) const;
    // The conditions each thing the discards show lets through, or stops: a hold's bits are
    // then a few masks put together rather than every condition asked in turn.
    struct MetMasks {
        // Those asking no rank, and those asking each rank among others.
        Met no_rank{};
        std::array<Met, kRankCount> rank{};
        // Those asking that one card alone be thrown away.
        Met one_discard{};
        // Those a penalty stops where it is seen (index 1) or where it is not (index 0).
        std::array<Met, 2> straight{};
        std::array<Met, 2> high{};
        std::array<Met, 2> flush{};
    };
    MetMasks masks_;
    // An exception of the chart and its condition's place among the search's (kNone where it
    // is none of them).
    struct Excepted {
        std::uint32_t at = 0;
        std::uint32_t index = kNone;
        DiscardCondition condition;
    };
    bool meets(std::size_t d, std::uint32_t e, const Excepted& rule) const;
    std::vector<Candidate> candidates();
    // Rules ranked by what they would mend, as (gain, code), the most first.
    using RankedCodes = std::vector<std::pair<double, std::uint64_t>>;
    // The first `most` candidates of `ranked` that the reader takes, the chart lacks and that
    // have some place (least <= most), at most `per_pattern` on one pattern; `make` turns a
    // code into its candidate, its places set.
    std::vector<Candidate> first_candidates(
        const RankedCodes& ranked, std::size_t most, std::size_t per_pattern,
        const std::function<Candidate(std::uint64_t)>& make) const;
    void index();
    // Calls f(d, e, gain) for every misplayed deal d and every entry e of it within `tolerance`
    // of perfect play, with what playing e would gain there, weighted.
    template <typename F>
    void for_best_entries(double tolerance, F f) const {
        for (std::size_t d = 0; d < t_.deal_count(); ++d) {
            if (fval_[d] >= t_.perfect[d] - tolerance) {
                continue;
            }
            const double w = t_.deals[d].weight;
            for (std::uint32_t e = t_.entry_begin[d]; e < t_.entry_begin[d + 1]; ++e) {
                const double v = t_.value(d, e);
                if (v >= t_.perfect[d] - tolerance) {
                    f(d, e, w * (v - fval_[d]));
                }
            }
        }
    }

    const DealPatterns& t_;
    const Game& game_;
    RankProfile profile_;
    const RuleWritable& writable_;
    std::vector<DiscardCondition> conditions_;
    ChartRules rules_;
    // Each pattern's plain line, and the exceptions on it with their places.
    std::vector<std::uint32_t> plain_;
    std::vector<std::vector<Excepted>> excepted_;
    // Whether some rule stands on each pattern, plain or excepted.
    std::vector<std::uint8_t> ruled_;
    // Every condition's bit.
    Met all_{};
    mutable std::vector<Met> met_;
    static constexpr std::uint64_t kMetKnown = std::uint64_t{1} << 63;
    // Each deal's first two rules and their values.
    std::vector<std::uint32_t> first_, second_;
    std::vector<double> fval_, sval_;
    // What each pattern of a plain line would mend on the misplayed deals, counted by
    // best_insert().
    std::vector<double> movers_;
    // Over all deals, weighted: the chart's value, perfect play's, the deals' weight, and the
    // least gain the search counts.
    double value_ = 0.0, perfect_ = 0.0, total_ = 0.0, eps_ = 0.0;
};

}  // namespace quillon::odds::rule_search

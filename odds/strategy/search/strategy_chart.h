#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "base/card.h"
#include "base/threads.h"
#include "odds/play/tallies.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/search/chart_builder.h"

namespace quillon::odds {

// A deal class where the chart's hold falls short of the best one.
struct ChartMiss {
    std::array<CardId, 5> cards{};
    std::uint32_t deals = 0;
    std::size_t line = 0;
    HoldMask chart_hold = 0;
    HoldMask best_hold = 0;
    double chart_value = 0.0;
    double best_value = 0.0;
    // What the class as a whole loses, per coin over all deals of the game.
    double cost = 0.0;
};

// Playing by a chart against perfect play over every deal class with its weight, exactly: both
// pay totals, in the game's pay units, are over `total` equally likely final hands, as in the
// whole game's return; `pay_scale` units make one coin.
struct ChartCheck {
    std::uint64_t chart_pay = 0;
    std::uint64_t perfect_pay = 0;
    std::uint64_t total = 0;
    std::int64_t pay_scale = 1;
    std::vector<ChartMiss> worst;

    double chart_return() const;
    double perfect_return() const;
};

// The check of pay totals over `total` final hands, `lcm` of them a deal, with the `worst`
// costliest of `misses` (their cost over all deals so far), costliest first, the lower first card
// first where two cost alike, each cost then per deal.
template <class Total>
ChartCheck chart_check(Total chart, Total perfect, Total total, std::int64_t pay_scale,
                       std::uint64_t lcm, std::vector<ChartMiss> misses, std::size_t worst) {
    const auto costlier = [](const ChartMiss& a, const ChartMiss& b) {
        return a.cost > b.cost || (a.cost == b.cost && a.cards[0].code() < b.cards[0].code());
    };
    const std::size_t keep = std::min(worst, misses.size());
    std::partial_sort(misses.begin(), misses.begin() + static_cast<std::ptrdiff_t>(keep),
                      misses.end(), costlier);
    misses.resize(keep);
    const double deals = static_cast<double>(total / lcm);
    for (ChartMiss& m : misses) {
        m.cost /= deals;
    }
    ChartCheck check;
    check.chart_pay = static_cast<std::uint64_t>(chart);
    check.perfect_pay = static_cast<std::uint64_t>(perfect);
    check.total = static_cast<std::uint64_t>(total);
    check.pay_scale = pay_scale;
    check.worst = std::move(misses);
    return check;
}

// The lines of a game's chart, best first, as patterns: derived from the exact holds of all its
// deal classes, at most `max_lines` of them (0: every line worth keeping).
std::vector<PatternKey> generate_chart(const Tallies& tallies, std::size_t max_lines = 0,
                                       unsigned threads = default_threads());
// The same at each of several lengths, from one table of every deal's patterns: each chart as
// generate_chart() makes it alone.
std::vector<std::vector<PatternKey>> generate_charts(const Tallies& tallies,
                                                     std::span<const std::size_t> lengths,
                                                     unsigned threads = default_threads());

// The charts of generate_charts() with the table they came from, which knows every deal's
// patterns and the hold each keeps: a caller that scores the charts reads them there rather than
// classifying every hold of every deal again.
struct GeneratedCharts {
    DealPatterns table;
    std::vector<std::vector<PatternKey>> charts;
};
GeneratedCharts generate_charts_with_table(const Tallies& tallies,
                                           std::span<const std::size_t> lengths,
                                           unsigned threads = default_threads());

struct PatternWords;

// The table a chart search works on: every deal class of the game with the patterns of its holds,
// those whose words another pattern has too (`words.shadowed`) left out, so that every line reads
// back as its own pattern. A caller that stops the work is heard between its steps.
DealPatterns search_table(const Tallies& tallies, const RankProfile& profile,
                          const PatternWords& words, unsigned threads);

// The exact check of a chart over the deals of a table, with its `worst` costliest deal classes.
ChartCheck check_chart(const Tallies& tallies, const DealPatterns& table, const ChartLines& lines,
                       std::size_t worst = 5);

// The hold a chart picks in one deal, found the slow way a player would: each line in turn,
// against the patterns of all 32 holds. The mask is over the deal's own order.
struct ChartPick {
    std::size_t line = 0;
    HoldMask mask = 0;
};
ChartPick chart_hold(const Game& game, const std::vector<PatternKey>& lines,
                     const std::array<CardId, 5>& deal);

}  // namespace quillon::odds

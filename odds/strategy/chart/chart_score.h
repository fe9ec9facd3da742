#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/card.h"
#include "base/threads.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/strategy_chart.h"

namespace quillon::odds {

// One deal a line decides, with the hold the line keeps (a mask over the deal's order).
struct ChartExample {
    std::array<CardId, 5> cards{};
    HoldMask hold = 0;
    bool found = false;
};

// A chart played over every deal class with its weight, exactly.
struct ChartScore {
    ChartCheck check;
    std::size_t deal_classes = 0;
    // The share of all deals each line decides.
    std::vector<double> share;
    // Deals no line matches: they are discarded whole. Counted in deals, not classes.
    std::uint64_t unmatched = 0;
    // For each line, its heaviest deal class.
    std::vector<ChartExample> examples;
};

// Scores the chart of `keys` (best first) over `deals` (every deal class of the game where
// empty), with the `worst` costliest deal classes.
ChartScore score_chart(const Tallies& tallies, const std::vector<PatternKey>& keys,
                       std::vector<DealClass> deals = {}, unsigned threads = default_threads(),
                       std::size_t worst = 5);
// The same for a chart read from its words, its sections kept.
ChartScore score_chart(const Tallies& tallies, const Chart& chart,
                       unsigned threads = default_threads(), std::size_t worst = 5);
// The same for several charts over the same deals: each deal's holds are classified and valued
// once for them all, which is most of the work of a score.
std::vector<ChartScore> score_charts(const Tallies& tallies,
                                     const std::vector<std::vector<PatternKey>>& charts,
                                     std::vector<DealClass> deals = {},
                                     unsigned threads = default_threads(), std::size_t worst = 5);
// The same over the deals of the table the charts were generated from, reading each deal's
// patterns and the hold each keeps there instead of classifying every hold again: the same
// scores. Where a chart has a line the table does not know, the holds are classified after all.
std::vector<ChartScore> score_charts(const Tallies& tallies,
                                     const std::vector<std::vector<PatternKey>>& charts,
                                     const DealPatterns& table,
                                     unsigned threads = default_threads(), std::size_t worst = 5);
// The same for charts read from their words, their sections kept. A chart with conditions on the
// discards is played hold by hold, as the table does not know what a hold throws away.
std::vector<ChartScore> score_charts(const Tallies& tallies, const std::vector<Chart>& charts,
                                     const DealPatterns& table,
                                     unsigned threads = default_threads(), std::size_t worst = 5);

// The line that decides each deal of the table for a chart of the table's patterns, sections
// kept, and the hold it keeps as a mask over the deal's sorted cards (line kNoTableLine: none
// matches). Throws std::invalid_argument where a line is no pattern of the table or states a
// condition on the discards, which the table does not know.
inline constexpr std::uint32_t kNoTableLine = 0xffffffffu;
struct TablePick {
    std::uint32_t line = kNoTableLine;
    HoldMask mask = 0;
    bool operator==(const TablePick&) const = default;
};
std::vector<TablePick> table_picks(const Game& game, const Chart& chart, const DealPatterns& table);

// The line that decides one deal and the hold it keeps: what a player reading the chart does.
struct ChartDecision {
    // The chart line's number from 1 (0: no line matches and the deal is discarded whole).
    std::size_t line = 0;
    // The line's words and its place in its file.
    std::string words;
    int file_line = 0;
    // The cards kept, as a mask over the deal's own order.
    HoldMask hold = 0;
};
ChartDecision decide_deal(const Chart& chart, const Game& game, const std::array<CardId, 5>& deal);

// Decides deal after deal by one chart, as decide_deal does, with the game's ranks and the chart's
// index of lines worked out once. The chart and the game must outlive it.
class ChartDecider {
  public:
    ChartDecider(const Chart& chart, const Game& game);
    ~ChartDecider();
    ChartDecider(const ChartDecider&) = delete;
    ChartDecider& operator=(const ChartDecider&) = delete;

    ChartDecision decide(const std::array<CardId, 5>& deal) const;

    // What the chart score's own index of lines does for it.
    struct Index {
        virtual ~Index() = default;
        virtual ChartDecision decide(const std::array<CardId, 5>& deal) const = 0;
    };

  private:
    std::unique_ptr<const Index> index_;
};

}  // namespace quillon::odds

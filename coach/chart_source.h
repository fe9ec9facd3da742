#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/strategy_chart.h"

namespace quillon::coach {

// A game's strategy chart as the coach shows it: its lines in words, best first, and what
// playing by it returns against perfect play.
struct CoachChart {
    std::string game;
    std::vector<std::string> lines;
    // The heading of the section each line stands in, as the chart file writes it ("Two
    // deuces:"), or "" above the sections and in a chart without them.
    std::vector<std::string> sections;
    // The chart as read from its words, its sections and conditions on the discards kept: the
    // table plays it as `quillon-odds chart` does.
    odds::Chart chart;
    std::vector<double> shares;
    double chart_return = 0.0;
    double perfect_return = 0.0;
    // The deal classes the chart plays worst, costliest first.
    std::vector<odds::ChartMiss> worst;
};

// Builds the chart from the exact holds of every deal: most of a second for a 53-card game, so
// the coach calls it off the window's thread. A game whose chart this process built before gets
// that chart again at once. Safe to call from several threads.
CoachChart build_chart(const odds::Tallies& tallies);

// The line of the chart that decides a deal (from 0), and the hold it keeps: the chart scorer's
// own decision (odds::decide_deal), so a deal plays at the table as in `quillon-odds chart`.
// Nothing where no line matches the deal.
struct DecidingLine {
    std::size_t line = 0;
    odds::HoldMask hold = 0;
};
std::optional<DecidingLine> deciding_line(const CoachChart& chart, const odds::Game& game,
                                          const std::array<CardId, 5>& deal);

}  // namespace quillon::coach

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
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/search/strategy_chart.h"

namespace quillon::coach {

// A game's strategy chart as the coach shows it: its lines in words, best first, and what
// playing by it returns against perfect play.
struct CoachChart {
    std::string game;
    std::vector<std::string> lines;
    std::vector<odds::PatternKey> keys;
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

// The line of the chart that decides a deal, and the hold it keeps.
struct DecidingLine {
    std::size_t line = 0;
    odds::HoldMask hold = 0;
};
std::optional<DecidingLine> deciding_line(const CoachChart& chart, const odds::Game& game,
                                          const std::array<CardId, 5>& deal);

}  // namespace quillon::coach

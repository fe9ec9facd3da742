#pragma once

#include <cstddef>
#include <string>

#include "base/threads.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::odds {

// The game's chart of `rules` rules, lines and exceptions counted together (0: the shortest
// chart found that plays every deal perfectly), written in the chart language, read back and
// scored over every deal class as a chart file is.
ChartReport make_rules_chart(const Tallies& tallies, std::size_t rules, const std::string& game_id,
                             unsigned threads = default_threads());

}  // namespace quillon::odds

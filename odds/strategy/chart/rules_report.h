#pragma once

#include <cstddef>
#include <string>

#include "base/threads.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_report.h"

namespace quillon::odds {

// The game's chart of `rules` rules as the search finds it (0: the shortest that plays every
// deal perfectly), flat: a line a rule, best first, in the chart language's words.
Chart flat_rules_chart(const Tallies& tallies, std::size_t rules,
                       unsigned threads = default_threads());

// The game's chart of `rules` rules, lines and exceptions counted together (0: the shortest
// chart found that plays every deal perfectly), written in the chart language, read back and
// scored over every deal class as a chart file is. Where the game has wild cards the chart is
// written in sections (sectioned_chart), which may repeat a rule in several. A chart of N rules
// that, so read, loses more than the plain chart of N lines the search started from is that
// plain chart.
ChartReport make_rules_chart(const Tallies& tallies, std::size_t rules, const std::string& game_id,
                             unsigned threads = default_threads());

}  // namespace quillon::odds

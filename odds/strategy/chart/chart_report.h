#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/threads.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"

namespace quillon::odds {

// A chart as read, with the shares its lines decide, and its exact score.
struct ChartReport {
    Chart chart;
    ChartScore score;
    // A generated chart's rules, lines and exceptions, before its sections repeat any: what
    // `--lines` and `--rules` count. 0 for a chart read from a file.
    std::size_t rules = 0;
};

// Reads a chart for the tallies' game and scores it over every deal class.
ChartReport report_chart(const Tallies& tallies, std::string_view text, const std::string& source,
                         unsigned threads = default_threads());

// Generates the game's chart, writes it in the chart language, reads that back and scores the
// reading, so that the figures are those of the words a player sees. `game_id` is what the
// file's `game` line names.
ChartReport make_strategy_chart(const Tallies& tallies, std::size_t max_lines,
                                const std::string& game_id, unsigned threads = default_threads());
// The same at each of several lengths, sharing the one search over every deal.
std::vector<ChartReport> make_strategy_charts(const Tallies& tallies,
                                              std::span<const std::size_t> lengths,
                                              const std::string& game_id,
                                              unsigned threads = default_threads());

// The chart file of a report, with each line's share as a comment.
std::string chart_file_text(const ChartReport& report, const Game& game,
                            const std::string& game_id);

}  // namespace quillon::odds

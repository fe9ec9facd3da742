#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "odds/pay_table.h"
#include "odds/strategy/hold_pattern.h"

namespace quillon::odds {

// A chart file that cannot be read: the message starts "FILE:LINE: ".
class ChartError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct ChartLine {
    PatternKey key = 0;
    // The words as the program writes them.
    std::string words;
    // Where the line stands in its file, from 1.
    int file_line = 0;
    // The share of all deals the line decides, where known (written as a comment).
    double share = -1.0;
};

// A strategy chart: one pattern a line, best first; the first line a deal shows decides its hold.
struct Chart {
    // The game the file names on its `game` line, if any.
    std::optional<std::string> game;
    std::vector<ChartLine> lines;

    std::vector<PatternKey> keys() const;
};

// The game a chart file names, read before its lines (which need the game to be understood).
std::optional<std::string> chart_game(std::string_view text, const std::string& source);

// Reads a chart in the chart language for a game: '#' starts a comment, blank lines are skipped,
// `game NAME` names the game, and every other line is a pattern in the program's own words.
// An unknown or ambiguous pattern, a pattern given twice, a second `game` line and a chart
// without lines are errors.
Chart read_chart(std::string_view text, const std::string& source, const Game& game);

// The chart file for a game: a comment that states how to read it, the `game` line, then one
// pattern a line (with the share it decides as a comment, where known).
std::string write_chart(const Chart& chart, const Game& game, const std::string& game_id);

// The words of a chart's patterns, in the game's terms.
Chart chart_of_keys(const std::vector<PatternKey>& keys, const Game& game);

}  // namespace quillon::odds

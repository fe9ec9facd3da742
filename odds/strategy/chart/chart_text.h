#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/strategy/chart/chart_conditions.h"
#include "odds/strategy/patterns/hold_pattern.h"

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
    // The number of wild cards dealt of the section the line stands in: only those deals play
    // it. -1 where it stands above every section (or the chart has none).
    int section = -1;
    // What the discarded cards must show for the line to keep a hold (none asked by default).
    DiscardCondition condition;
};

// A strategy chart: one pattern a line, best first; the first line a deal shows decides its hold.
struct Chart {
    // The game the file names on its `game` line, if any.
    std::optional<std::string> game;
    std::vector<ChartLine> lines;

    std::vector<PatternKey> keys() const;
    // The most lines one deal reads: those above the sections and those of its own section
    // (every line where the chart has no sections).
    std::size_t lines_read() const;
};

// Every pattern of a game by its words, in lower case with single spaces. Where several patterns
// of the game have the same words, the words name the least of them and the others are
// `shadowed`: a chart never uses them, so that its words always read back as its patterns.
struct PatternWords {
    std::unordered_map<std::string, PatternKey> by_text;
    std::unordered_set<PatternKey> shadowed;
};
PatternWords pattern_words(const Game& game, const RankProfile& profile);

// The game a chart file names on its `game` line, and the line, read before its lines (which need
// the game to be understood).
struct ChartGame {
    std::string name;
    int line = 0;
};
std::optional<ChartGame> chart_game(std::string_view text, const std::string& source);

// A chart file is read whole, and refused past this size as a pay-table file is.
inline constexpr std::size_t kMostChartBytes = 64 * 1024;

// Reads a chart in the chart language for a game: '#' starts a comment, blank lines are skipped,
// `game NAME` names the game, and every other line is a pattern in the program's own words.
// The text is clean UTF-8 as in a pay-table file (a byte order mark may open it, lines may end
// in CR LF). An unknown or ambiguous pattern, a pattern given twice, a second `game` line, a
// line that is not clean text and a chart without lines are errors.
Chart read_chart(std::string_view text, const std::string& source, const Game& game);

// The words of every pattern of a game, worked out once for many charts of it.
class ChartWords {
  public:
    explicit ChartWords(const Game& game);
    // The pattern of a line's words; throws std::invalid_argument with the reason (no file or
    // line) otherwise.
    PatternKey find(const std::string& words) const;
    // Whether the game has a pattern of these words.
    bool knows(const std::string& words) const;
    const Game& game() const { return game_; }
    const RankProfile& profile() const { return profile_; }

  private:
    const Game& game_;
    RankProfile profile_;
    std::unordered_map<std::string, PatternKey> by_text_;
};
Chart read_chart(std::string_view text, const std::string& source, const ChartWords& words);

// The chart file for a game: a comment that states how to read it, the `game` line, then one
// pattern a line (with the share it decides as a comment, where known).
std::string write_chart(const Chart& chart, const Game& game, const std::string& game_id);

// The words of a chart's patterns, in the game's terms.
Chart chart_of_keys(const std::vector<PatternKey>& keys, const Game& game);

}  // namespace quillon::odds

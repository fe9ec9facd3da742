#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace quillon::odds {

// The work of `strategy` and `chart` once a command line has been read, whatever reads it.
// Both throw CliError for anything the user has to mend.

struct StrategyTask {
    // A built-in game's name or a pay-table file; this machine without it.
    std::optional<std::string> game;
    std::optional<int> coins;
    // HAND=AMOUNT: lines of the table paid anew (--pay).
    std::vector<std::string> pays;
    // At most this many lines (0: every line worth keeping).
    std::size_t lines = 0;
    // At most this many rules, exceptions on the discards among them (0: lines as above).
    std::size_t rules = 0;
    // The shortest chart found that plays every deal perfectly, exceptions among its rules.
    bool perfect = false;
    bool json = false;
    bool examples = false;
    // Where to write the chart in the chart language.
    std::optional<std::string> save;
    // Hands a round: the chart stays the one for a single hand, and the report says so.
    int play = 1;
};
int run_strategy(const StrategyTask& task, std::ostream& out);

struct ChartTask {
    std::string file;
    // The game to play the chart in, over the file's `game` line.
    std::optional<std::string> game;
    std::optional<int> coins;
    bool json = false;
    bool examples = false;
    // The five cards of one deal to decide, instead of scoring the chart.
    std::vector<std::string> hand;
};
int run_chart(const ChartTask& task, std::ostream& out);

}  // namespace quillon::odds

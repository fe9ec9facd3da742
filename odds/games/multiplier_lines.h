#pragma once

#include <string>
#include <vector>

#include "odds/games/multiplier_table.h"

namespace quillon::odds {

// A paying line of a pay-table file as an Ultimate X line names it: its hand word and the words
// that pick its hands ("four 2-4 ..." names "four" and "2-4"; "pair 1 jacks" names "pair" and
// "jacks"), and the line it is on.
struct NamedRow {
    std::string word;
    std::vector<std::string> naming;
    int line = 0;
};

// The Ultimate X lines of a pay-table file:
//   ultimate-x lines 3 5 10          # the line counts the game is played on
//   ultimate-x 3,5,10 full-house 12  # the multiplier a hand earns on those line counts
// Every paying hand needs one multiplier for each line count; a hand that pays nothing earns 1.
// Errors are GameFileError, "FILE:LINE: ...".
class MultiplierLines {
  public:
    explicit MultiplierLines(const std::string& source) : source_(source) {}

    // An `ultimate-x` statement: the words after the keyword, on line `line`.
    void statement(int line, const std::vector<std::string>& args);
    // The tables for the game's paying rows, in their order; none without Ultimate X lines.
    std::vector<MultiplierTable> finish(const std::vector<NamedRow>& rows) const;

  private:
    struct Entry {
        int line = 0;
        std::vector<int> counts;
        std::string word;
        std::vector<std::string> naming;
        int multiplier = 0;
    };
    [[noreturn]] void fail(int line, const std::string& message) const;
    int line_count(int line, const std::string& text) const;

    const std::string& source_;
    int lines_line_ = 0;
    std::vector<int> line_counts_;
    std::vector<Entry> entries_;
};

}  // namespace quillon::odds

#include "odds/games/multiplier_lines.h"

#include <algorithm>
#include <charconv>

#include "base/text_file.h"
#include "odds/games/game_file.h"

namespace quillon::odds {

namespace {

bool whole_number(const std::string& text, int& out) {
    if (text.empty() || text.size() > 4 || text[0] == '+' || text[0] == '-') {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size();
}

std::string counts_text(const std::vector<int>& counts) {
    std::string text;
    for (const int c : counts) {
        text += (text.empty() ? "" : " ") + std::to_string(c);
    }
    return text;
}

std::string hand_text(const std::string& word, const std::vector<std::string>& naming) {
    std::string text = word;
    for (const std::string& w : naming) {
        text += " " + w;
    }
    return "'" + text + "'";
}

}  // namespace

void MultiplierLines::fail(int line, const std::string& message) const {
    throw GameFileError(source_ + ":" + std::to_string(line) + ": " + message);
}

int MultiplierLines::line_count(int line, const std::string& text) const {
    int count = 0;
    if (!whole_number(text, count) || count < 1 || count > kMostUltimateXLines) {
        fail(line, echoed(text) + " is not a number of lines (1 to " +
                       std::to_string(kMostUltimateXLines) + ")");
    }
    return count;
}

void MultiplierLines::statement(int line, const std::vector<std::string>& args) {
    if (!args.empty() && args[0] == "lines") {
        if (lines_line_ != 0) {
            fail(line, "'ultimate-x lines' is given twice (first on line " +
                           std::to_string(lines_line_) + ")");
        }
        if (args.size() < 2) {
            fail(line, "'ultimate-x lines' needs the line counts the game is played on");
        }
        lines_line_ = line;
        for (std::size_t i = 1; i < args.size(); ++i) {
            const int count = line_count(line, args[i]);
            if (std::find(line_counts_.begin(), line_counts_.end(), count) != line_counts_.end()) {
                fail(line, std::to_string(count) + " lines are given twice");
            }
            line_counts_.push_back(count);
        }
        return;
    }
    if (args.size() < 3) {
        fail(line,
             "'ultimate-x' needs line counts, a hand and its multiplier "
             "(ultimate-x 3,5,10 full-house 12)");
    }
    Entry entry;
    entry.line = line;
    for (std::size_t from = 0; from <= args[0].size();) {
        const std::size_t comma = std::min(args[0].find(',', from), args[0].size());
        entry.counts.push_back(line_count(line, args[0].substr(from, comma - from)));
        from = comma + 1;
    }
    entry.word = args[1];
    entry.naming.assign(args.begin() + 2, args.end() - 1);
    const std::string& last = args.back();
    if (last.starts_with('-')) {
        fail(line, "a negative multiplier " + echoed(last));
    }
    if (!whole_number(last, entry.multiplier) || entry.multiplier < 1 ||
        entry.multiplier > kMostMultiplier) {
        fail(line, echoed(last) + " is not a multiplier (a whole number from 1 to " +
                       std::to_string(kMostMultiplier) + ")");
    }
    entries_.push_back(std::move(entry));
}

std::vector<MultiplierTable> MultiplierLines::finish(const std::vector<NamedRow>& rows) const {
    if (entries_.empty() && lines_line_ == 0) {
        return {};
    }
    if (lines_line_ == 0) {
        fail(entries_.front().line,
             "Ultimate X multipliers need an 'ultimate-x lines' line "
             "naming the line counts the game is played on");
    }
    std::vector<MultiplierTable> tables;
    for (const int count : line_counts_) {
        tables.push_back(MultiplierTable{count, std::vector<int>(rows.size() + 1, 0)});
        tables.back().earned.back() = 1;
    }
    std::vector<std::vector<int>> given_on(line_counts_.size(), std::vector<int>(rows.size(), 0));
    for (const Entry& e : entries_) {
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const NamedRow& r) {
            return r.word == e.word && r.naming == e.naming;
        });
        if (row == rows.end()) {
            fail(e.line, "the table pays no " + hand_text(e.word, e.naming) +
                             ": name a hand as its pay line does");
        }
        const auto r = static_cast<std::size_t>(row - rows.begin());
        for (const int count : e.counts) {
            const auto at = std::find(line_counts_.begin(), line_counts_.end(), count);
            if (at == line_counts_.end()) {
                fail(e.line, "the game is not played on " + std::to_string(count) +
                                 " lines (its line counts: " + counts_text(line_counts_) + ")");
            }
            const auto t = static_cast<std::size_t>(at - line_counts_.begin());
            if (given_on[t][r] != 0) {
                fail(e.line, "the " + std::to_string(count) + "-line multiplier of " +
                                 hand_text(e.word, e.naming) + " is given twice (first on line " +
                                 std::to_string(given_on[t][r]) + ")");
            }
            given_on[t][r] = e.line;
            tables[t].earned[r] = e.multiplier;
        }
    }
    for (std::size_t t = 0; t < tables.size(); ++t) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (given_on[t][r] == 0) {
                fail(lines_line_, "no " + std::to_string(line_counts_[t]) +
                                      "-line multiplier for " +
                                      hand_text(rows[r].word, rows[r].naming) + " (line " +
                                      std::to_string(rows[r].line) + ")");
            }
        }
    }
    return tables;
}

}  // namespace quillon::odds

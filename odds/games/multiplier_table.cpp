#include "odds/games/multiplier_table.h"

#include <algorithm>
#include <charconv>

namespace quillon::odds {

int MultiplierTable::most() const {
    return earned.empty() ? 1 : *std::max_element(earned.begin(), earned.end());
}

std::vector<int> MultiplierTable::values() const {
    std::vector<int> out(earned.begin(), earned.end());
    out.push_back(1);
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

bool total_is_reachable(const MultiplierTable& table, int total) {
    if (total < table.lines || total > table.lines * table.most()) {
        return false;
    }
    // The totals k lines can carry, k = 1 .. lines.
    std::vector<bool> can(static_cast<std::size_t>(total) + 1, false);
    can[0] = true;
    const std::vector<int> values = table.values();
    for (int k = 0; k < table.lines; ++k) {
        std::vector<bool> next(can.size(), false);
        for (std::size_t t = 0; t < can.size(); ++t) {
            for (const int m : values) {
                if (can[t] && t + static_cast<std::size_t>(m) < can.size()) {
                    next[t + static_cast<std::size_t>(m)] = true;
                }
            }
        }
        can = std::move(next);
    }
    return can[static_cast<std::size_t>(total)];
}

namespace {

std::string values_text(const MultiplierTable& table) {
    std::string text;
    for (const int m : table.values()) {
        text += (text.empty() ? "" : " ") + std::to_string(m);
    }
    return text;
}

bool whole(std::string_view text, int& out) {
    if (text.empty() || text.size() > 6) {
        return false;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && text[0] != '-' &&
           text[0] != '+';
}

}  // namespace

MultiplierTotal read_multiplier_total(std::string_view text, const MultiplierTable& table) {
    const std::string lines = std::to_string(table.lines);
    if (text.find(',') == std::string_view::npos) {
        int total = 0;
        if (!whole(text, total)) {
            return {0, "'" + std::string(text) + "' is not a multiplier total"};
        }
        if (!total_is_reachable(table, total)) {
            return {0, "no " + lines + " lines of multipliers " + values_text(table) +
                           " add up to " + std::to_string(total)};
        }
        return {total, ""};
    }
    const std::vector<int> values = table.values();
    int total = 0;
    int count = 0;
    for (std::size_t from = 0; from <= text.size();) {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view part = text.substr(from, comma - from);
        int m = 0;
        if (!whole(part, m) || std::find(values.begin(), values.end(), m) == values.end()) {
            return {0, "'" + std::string(part) + "' is not a multiplier this game awards (" +
                           values_text(table) + ")"};
        }
        total += m;
        ++count;
        from = comma + 1;
    }
    if (count != table.lines) {
        return {0, "give one multiplier for each of the " + lines + " lines, not " +
                       std::to_string(count)};
    }
    return {total, ""};
}

}  // namespace quillon::odds

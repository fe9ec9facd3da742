#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "odds/games/pay_table.h"
#include "odds/known/known_methods.h"

namespace quillon::odds::known {

// A table of figures worked out ahead (odds/known/*.tsv), as the program reads it: tab-separated,
// one row a line. Lines that start with '#' are notes. The first other line stamps the method
// that found the figures, "method<TAB>NAME<TAB>VERSION"; the next one names the columns.
struct Table {
    std::string_view method;
    int version = 0;
    std::vector<std::string_view> columns;
    std::vector<std::vector<std::string_view>> rows;

    // The place of the column named `name` in each row; throws std::runtime_error if none is.
    std::size_t column(std::string_view name) const;
    // The rows with their cells in the order of `names`, one cell a name: what a reader of the
    // table takes from it, at places its own list of columns fixes. Throws as column() does.
    std::vector<std::vector<std::string_view>> rows_in(
        std::span<const std::string_view> names) const;
};

// Throws std::runtime_error, naming the line, for a text that is not such a table.
Table read_table(std::string_view text);

// The built-in table of `method`, where it was made by the version the program has; an empty
// result for a stale one. Throws, as read_table() does, for one that does not read.
std::optional<Table> read_current(const KnownMethod& method);

// A cell read as a number, a whole number, or a list of either separated by commas; each throws
// std::runtime_error for a cell that is not all of one. Numbers read back the very double that
// exact_number() wrote.
double number_cell(std::string_view cell);
std::int64_t integer_cell(std::string_view cell);
std::vector<double> number_list(std::string_view cell);
std::vector<std::int64_t> integer_list(std::string_view cell);

// For the writers: a double in the seventeen digits that read back as the very same double.
std::string exact_number(double x);

// The notes (each line given a "# "), the stamp and the column names, each line ended.
std::string table_head(std::string_view notes, std::string_view method, int version,
                       std::span<const std::string_view> columns);

// A game's pays, a row of its table each, as one cell.
std::string pays_cell(const Game& game);

template <typename T>
std::string list_cell(std::span<const T> values) {
    std::string cell;
    for (std::size_t i = 0; i < values.size(); ++i) {
        cell += i == 0 ? "" : ",";
        if constexpr (std::is_floating_point_v<T>) {
            cell += exact_number(values[i]);
        } else {
            cell += std::to_string(values[i]);
        }
    }
    return cell;
}

}  // namespace quillon::odds::known

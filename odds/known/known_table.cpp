#include "odds/known/known_table.h"

#include <charconv>
#include <cstdio>
#include <stdexcept>

#include "odds/known/known_texts.h"

namespace quillon::odds::known {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        const std::size_t at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(at + 1);
    }
}

template <typename T>
T read_cell(std::string_view cell) {
    T value{};
    const char* end = cell.data() + cell.size();
    const auto [at, error] = std::from_chars(cell.data(), end, value);
    if (error != std::errc() || at != end || cell.empty()) {
        throw std::runtime_error("not a number: \"" + std::string(cell) + "\"");
    }
    return value;
}

template <typename T>
std::vector<T> read_list(std::string_view cell) {
    std::vector<T> values;
    if (!cell.empty()) {
        for (const std::string_view part : split(cell, ',')) {
            values.push_back(read_cell<T>(part));
        }
    }
    return values;
}

}  // namespace

std::size_t Table::column(std::string_view name) const {
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i] == name) {
            return i;
        }
    }
    throw std::runtime_error("the table of " + std::string(method) + " has no column " +
                             std::string(name));
}

std::vector<std::vector<std::string_view>> Table::rows_in(
    std::span<const std::string_view> names) const {
    std::vector<std::size_t> places;
    for (const std::string_view name : names) {
        places.push_back(column(name));
    }
    std::vector<std::vector<std::string_view>> out;
    out.reserve(rows.size());
    for (const std::vector<std::string_view>& row : rows) {
        std::vector<std::string_view>& cells = out.emplace_back();
        for (const std::size_t place : places) {
            cells.push_back(row[place]);
        }
    }
    return out;
}

Table read_table(std::string_view text) {
    Table table;
    int line_number = 0;
    bool stamped = false;
    for (std::string_view line : split(text, '\n')) {
        ++line_number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::vector<std::string_view> cells = split(line, '\t');
        const auto where = [&](const std::string& what) {
            return std::runtime_error("line " + std::to_string(line_number) + ": " + what);
        };
        if (!stamped) {
            if (cells.size() != 3 || cells[0] != "method") {
                throw where("the table starts with its method, not \"" + std::string(line) + "\"");
            }
            table.method = cells[1];
            try {
                table.version = static_cast<int>(read_cell<std::int64_t>(cells[2]));
            } catch (const std::runtime_error& e) {
                throw where(e.what());
            }
            stamped = true;
        } else if (table.columns.empty()) {
            table.columns = std::move(cells);
        } else if (cells.size() != table.columns.size()) {
            throw where(std::to_string(cells.size()) + " cells, not " +
                        std::to_string(table.columns.size()));
        } else {
            table.rows.push_back(std::move(cells));
        }
    }
    if (table.columns.empty()) {
        throw std::runtime_error("a table without " +
                                 std::string(stamped ? "its columns" : "its method"));
    }
    return table;
}

std::optional<Table> read_current(const KnownMethod& method) {
    for (const EmbeddedText& known : known_texts()) {
        if (known.name == method.table) {
            Table table = read_table(known.text);
            if (table.method != method.name || table.version != method.version) {
                return std::nullopt;
            }
            return table;
        }
    }
    throw std::runtime_error("no table " + std::string(method.table) + " is built in");
}

double number_cell(std::string_view cell) {
    return read_cell<double>(cell);
}

std::int64_t integer_cell(std::string_view cell) {
    return read_cell<std::int64_t>(cell);
}

std::vector<double> number_list(std::string_view cell) {
    return read_list<double>(cell);
}

std::vector<std::int64_t> integer_list(std::string_view cell) {
    return read_list<std::int64_t>(cell);
}

std::string exact_number(double x) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

std::string pays_cell(const Game& game) {
    std::vector<std::int64_t> pays;
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        pays.push_back(game.pay(r));
    }
    return list_cell<std::int64_t>(pays);
}

std::string table_head(std::string_view notes, std::string_view method, int version,
                       std::span<const std::string_view> columns) {
    std::string head;
    for (const std::string_view note : split(notes, '\n')) {
        head += note.empty() ? "#\n" : "# " + std::string(note) + "\n";
    }
    head += "method\t" + std::string(method) + "\t" + std::to_string(version) + "\n";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        head += std::string(i == 0 ? "" : "\t") + std::string(columns[i]);
    }
    return head + "\n";
}

}  // namespace quillon::odds::known

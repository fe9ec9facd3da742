#include "odds/strategy/chart/chart_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <unordered_map>

#include "base/stop.h"
#include "base/text_file.h"
#include "odds/strategy/patterns/pattern_words.h"

namespace quillon::odds {

namespace {

// Lower case with single spaces, so that "Suited 10-J" reads as "suited 10-j".
std::string normal(std::string_view text) {
    std::string out;
    bool space = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            space = !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string_view strip_comment(std::string_view line) {
    return line.substr(0, std::min(line.find('#'), line.size()));
}

// A line's words in an error: quoted, control bytes escaped, a long line cut.
constexpr std::size_t kMostQuoted = 160;
std::string quote_words(std::string_view words) {
    return "'" + printable(words, kMostQuoted) + "'";
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = up;
        }
    }
    return row[b.size()];
}

std::string where(const std::string& source, int line) {
    return source + ":" + std::to_string(line) + ": ";
}

// Calls `each` with every line's number and text, comments removed and trimmed. A line that is
// not clean text is refused at its line whatever it holds, as in a pay-table file.
template <typename Each>
void for_each_line(std::string_view text, const std::string& source, Each each) {
    for_each_text_line(text, [&](int number, std::string_view raw) {
        if (const std::optional<std::string> problem = line_problem(raw)) {
            throw ChartError(where(source, number) + *problem);
        }
        std::string_view line = strip_comment(raw);
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
            line.remove_suffix(1);
        }
        while (!line.empty() && std::isspace(static_cast<unsigned char>(line.front())) != 0) {
            line.remove_prefix(1);
        }
        if (!line.empty()) {
            each(number, line);
        }
    });
}

// The name of a `game` line, or nothing for a pattern line. Like a pattern's words, the word
// `game` is read in any case.
std::optional<std::string_view> game_word(std::string_view line) {
    const std::size_t end = std::min(line.find_first_of(" \t"), line.size());
    if (normal(line.substr(0, end)) != "game") {
        return std::nullopt;
    }
    std::string_view name = line.substr(end);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.front())) != 0) {
        name.remove_prefix(1);
    }
    return name;
}

}  // namespace

PatternWords pattern_words(const Game& game, const RankProfile& profile) {
    PatternWords out;
    const std::stop_token stop = current_stop();
    for (const PatternKey key : vocabulary(game, profile)) {
        // Some milliseconds in all, at the start of every chart: a caller may stop it.
        stop_point(stop);
        const auto [it, fresh] =
            out.by_text.try_emplace(normal(pattern_text(key, game, profile)), key);
        if (!fresh && it->second != key) {
            out.shadowed.insert(std::max(it->second, key));
            it->second = std::min(it->second, key);
        }
    }
    return out;
}

ChartWords::ChartWords(const Game& game)
    : game_(game), profile_(rank_profile(game)), by_text_(pattern_words(game, profile_).by_text) {}

PatternKey ChartWords::find(const std::string& words) const {
    const std::string text = normal(words);
    if (const auto it = by_text_.find(text); it != by_text_.end()) {
        return it->second;
    }
    for (const std::string_view other : {"deuce", "joker"}) {
        const bool wild = other == "deuce" ? game_.deuces_wild() : game_.has_joker();
        if (text.find(other) != std::string::npos && !wild) {
            throw std::invalid_argument(quote_words(words) + " holds a " + std::string(other) +
                                        ", which is not wild in " + game_.name());
        }
    }
    // The distance of two texts is at least the difference of their lengths: texts too
    // long or too short to come within the bound are not compared at all.
    std::string nearest;
    std::size_t best = text.size() / 3 + 1;
    for (const auto& [known, key] : by_text_) {
        const std::size_t apart =
            known.size() > text.size() ? known.size() - text.size() : text.size() - known.size();
        if (apart > best) {
            continue;
        }
        const std::size_t d = edit_distance(text, known);
        if (d < best || (d == best && !nearest.empty() && known < nearest)) {
            best = d;
            nearest = known;
        }
    }
    std::string message = "unknown pattern " + quote_words(words);
    if (!nearest.empty()) {
        message += " (did you mean '" + pattern_text(by_text_.at(nearest), game_, profile_) + "'?)";
    }
    throw std::invalid_argument(message);
}

std::vector<PatternKey> Chart::keys() const {
    std::vector<PatternKey> out;
    out.reserve(lines.size());
    for (const ChartLine& line : lines) {
        out.push_back(line.key);
    }
    return out;
}

std::optional<ChartGame> chart_game(std::string_view text, const std::string& source) {
    std::optional<ChartGame> game;
    for_each_line(text, source, [&](int number, std::string_view line) {
        if (const auto name = game_word(line)) {
            if (game) {
                throw ChartError(where(source, number) + "a second game line (the first is line " +
                                 std::to_string(game->line) + ")");
            }
            if (name->empty()) {
                throw ChartError(where(source, number) + "'game' needs the game's name");
            }
            game = ChartGame{std::string(*name), number};
        }
    });
    return game;
}

Chart read_chart(std::string_view text, const std::string& source, const Game& game) {
    return read_chart(text, source, ChartWords(game));
}

Chart read_chart(std::string_view text, const std::string& source, const ChartWords& words) {
    Chart chart;
    if (const std::optional<ChartGame> named = chart_game(text, source)) {
        chart.game = named->name;
    }
    std::unordered_map<PatternKey, int> seen;
    for_each_line(text, source, [&](int number, std::string_view line) {
        if (game_word(line)) {
            return;
        }
        ChartLine entry;
        entry.words = std::string(line);
        entry.file_line = number;
        try {
            entry.key = words.find(entry.words);
        } catch (const std::invalid_argument& e) {
            throw ChartError(where(source, number) + e.what());
        }
        if (const auto [it, fresh] = seen.try_emplace(entry.key, number); !fresh) {
            throw ChartError(where(source, number) + quote_words(entry.words) +
                             " is already the pattern of line " + std::to_string(it->second));
        }
        chart.lines.push_back(std::move(entry));
    });
    if (chart.lines.empty()) {
        throw ChartError(where(source, 1) +
                         (text.empty() ? "the chart file is empty" : "the chart has no lines"));
    }
    return chart;
}

Chart chart_of_keys(const std::vector<PatternKey>& keys, const Game& game) {
    const RankProfile profile = rank_profile(game);
    Chart chart;
    int number = 0;
    for (const PatternKey key : keys) {
        chart.lines.push_back(ChartLine{key, pattern_text(key, game, profile), ++number});
    }
    return chart;
}

std::string write_chart(const Chart& chart, const Game& game, const std::string& game_id) {
    const RankProfile profile = rank_profile(game);
    std::string out = "# A strategy chart for " + game.name() + ", " +
                      std::to_string(chart.lines.size()) +
                      " lines. Hold the cards of the first line the deal shows;\n# " +
                      std::string(kTieRule) + ".\n";
    if (game.deuces_wild()) {
        out +=
            "# Every two is wild: a straight that needs a two is not counted, as no natural card "
            "can fill it.\n";
    }
    out +=
        "# A made hand that a line names is the dealt hand, kept before any draw the same line "
        "names.\n";
    if (const std::string high = high_card_text(profile); !high.empty()) {
        out += "# High cards: " + high + ".\n";
    }
    out += "game " + game_id + "\n";
    std::size_t width = 0;
    for (const ChartLine& line : chart.lines) {
        width = std::max(width, line.words.size());
    }
    for (const ChartLine& line : chart.lines) {
        out += line.words;
        if (line.share >= 0.0) {
            std::array<char, 32> share{};
            std::snprintf(share.data(), share.size(), "%.4f", 100.0 * line.share);
            out += std::string(width + 2 - line.words.size(), ' ') + "# decides " + share.data() +
                   " %";
        }
        out += "\n";
    }
    return out;
}

}  // namespace quillon::odds

#include "odds/strategy/chart/chart_text.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstdio>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "base/stop.h"
#include "base/text_file.h"
#include "odds/strategy/chart/chart_phrases.h"
#include "odds/strategy/chart/chart_sections.h"
#include "odds/strategy/patterns/pattern_key.h"
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

// The file line of each pattern given, by its section: a pattern above the sections stands for
// every section.
using SeenLines = std::map<std::pair<PatternKey, int>, int>;

// The line that already gives the pattern to the section's deals, or 0.
int given_at(const SeenLines& seen, PatternKey key, int section) {
    for (const int s : {-1, section}) {
        if (const auto it = seen.find({key, s}); it != seen.end()) {
            return it->second;
        }
    }
    return 0;
}

// The wild cards a pattern keeps, where it says how many (not "natural or with deuces").
int wild_held(PatternKey key) {
    using namespace pattern_key;
    const Kind kind = kind_of(key);
    const bool counted = kind == Kind::wild_alone || kind == Kind::sets || kind == Kind::draw;
    return counted && get(key, kAnyDeuces) == 0 ? static_cast<int>(get(key, kWild)) : 0;
}

// A line with a condition on the discards: refused where no hold of it could meet it, or where
// the bare pattern above it already takes every hold.
void add_exception(Chart& chart, ChartLine& entry, const SeenLines& seen,
                   std::map<std::tuple<PatternKey, int, std::string>, int>& exceptions,
                   const std::string& at) {
    using namespace pattern_key;
    const DiscardCondition& c = entry.condition;
    const Kind kind = kind_of(entry.key);
    const int held = kind == Kind::nothing ? 0 : static_cast<int>(get(entry.key, kHeld));
    const int natural = held - static_cast<int>(get(entry.key, kWild));
    const std::string quoted = quote_words(entry.words);
    if (held == 5) {
        throw ChartError(at + quoted + " keeps all five cards: no card is discarded");
    }
    if (c.only_discard && held != 4) {
        throw ChartError(at + quoted + " can never hold: the pattern throws away " +
                         std::to_string(5 - held) + " cards, not one");
    }
    if ((c.straight >= 0 || c.flush >= 0 || c.suited_discards != 0) && natural <= 0) {
        throw ChartError(at + quoted +
                         " can never hold: a penalty is told by the natural cards kept, and the "
                         "pattern keeps none");
    }
    if (c.kept != 0 && std::popcount(c.kept) > natural) {
        throw ChartError(
            at + quoted + " can never hold: it names " + std::to_string(std::popcount(c.kept)) +
            " ranks kept, and the pattern keeps " + std::to_string(natural) + " natural cards");
    }
    if (c.suited_discards > 5 - held || (c.suited_discards != 0 && c.flush == 0)) {
        throw ChartError(at + quoted +
                         " can never hold: it asks for more cards of the kept "
                         "suit thrown away than can be");
    }
    if ((c.discarded & c.absent) != 0 && (c.discarded & ~c.absent) == 0) {
        throw ChartError(at + quoted + " can never hold: it asks for the ranks it rules out");
    }
    if (const int bare = given_at(seen, entry.key, entry.section); bare != 0) {
        throw ChartError(at + quoted + " can never decide a deal: line " + std::to_string(bare) +
                         " above takes every hold of its pattern");
    }
    const auto [it, fresh] =
        exceptions.try_emplace({entry.key, entry.section, condition_text(c)}, entry.file_line);
    if (!fresh) {
        throw ChartError(at + quoted + " is already the line of line " +
                         std::to_string(it->second));
    }
    chart.lines.push_back(entry);
}

// A published phrase at its place: the lines it stands for that no line above has given, each
// at the phrase's file line. Holds it takes in that no line of its own names must be taken above.
void add_phrase(Chart& chart, const Phrase& phrase, const ChartWords& words, SeenLines& seen,
                const ChartLine& entry, const std::string& at) {
    for (const std::string& above : phrase.above) {
        const PatternKey key = words.find(above);
        const HoldPatterns coarser = coarser_patterns(key, words.profile());
        const bool taken = std::any_of(chart.lines.begin(), chart.lines.end(), [&](const auto& l) {
            return (l.section < 0 || l.section == entry.section) &&
                   (l.key == key ||
                    std::find(coarser.begin(), coarser.end(), l.key) != coarser.end());
        });
        if (!taken) {
            throw ChartError(at + quote_words(entry.words) + " takes in '" + above +
                             "' too: put a line that takes it above");
        }
    }
    std::size_t added = 0;
    for (const std::string& part : phrase.parts) {
        const PatternKey key = words.find(part);
        if (given_at(seen, key, entry.section) != 0) {
            continue;
        }
        seen.try_emplace({key, entry.section}, entry.file_line);
        chart.lines.push_back(ChartLine{key, part, entry.file_line, -1.0, entry.section, {}});
        ++added;
    }
    if (added == 0) {
        throw ChartError(at + quote_words(entry.words) + " adds nothing to the lines above");
    }
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

std::size_t Chart::lines_read() const {
    std::map<int, std::size_t> by_section;
    for (const ChartLine& line : lines) {
        ++by_section[line.section];
    }
    const std::size_t above = by_section.contains(-1) ? by_section.at(-1) : 0;
    std::size_t most = 0;
    for (const auto& [section, count] : by_section) {
        most = std::max(most, section < 0 ? 0 : count);
    }
    return above + most;
}

bool ChartWords::knows(const std::string& words) const {
    return by_text_.contains(normal(words));
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
    SeenLines seen;
    std::map<std::tuple<PatternKey, int, std::string>, int> exceptions;
    std::map<int, int> headed;
    int section = -1;
    for_each_line(text, source, [&](int number, std::string_view line) {
        if (game_word(line)) {
            return;
        }
        std::optional<SectionHeading> heading;
        try {
            heading = section_heading(normal(line), words.game());
        } catch (const std::invalid_argument& e) {
            throw ChartError(where(source, number) + e.what());
        }
        if (heading) {
            if (const auto [it, fresh] = headed.try_emplace(heading->wild, number); !fresh) {
                throw ChartError(where(source, number) + "a second section for " +
                                 section_text(heading->wild, words.game()) +
                                 " (the first is line " + std::to_string(it->second) + ")");
            }
            section = heading->wild;
            const std::size_t colon = line.find(':');
            if (heading->rest.empty() || colon == std::string_view::npos) {
                return;
            }
            line.remove_prefix(colon + 1);
            line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        }
        ChartLine entry;
        entry.words = std::string(line);
        entry.file_line = number;
        entry.section = section;
        try {
            entry.key = words.find(entry.words);
        } catch (const std::invalid_argument& e) {
            const std::optional<Phrase> phrase =
                published_phrase(normal(line), words.game(), words.profile(),
                                 [&](const std::string& w) { return words.knows(w); });
            if (phrase) {
                add_phrase(chart, *phrase, words, seen, entry, where(source, number));
                return;
            }
            const std::optional<ConditionedWords> split = split_condition(normal(line));
            if (!split || !words.knows(split->pattern)) {
                throw ChartError(where(source, number) + e.what());
            }
            entry.key = words.find(split->pattern);
            entry.condition = split->condition;
            add_exception(chart, entry, seen, exceptions, where(source, number));
            return;
        }
        if (const int first = given_at(seen, entry.key, section); first != 0) {
            throw ChartError(where(source, number) + quote_words(entry.words) +
                             " is already the pattern of line " + std::to_string(first));
        }
        if (const int held = wild_held(entry.key); section >= 0 && held > section) {
            throw ChartError(where(source, number) + quote_words(entry.words) + " keeps " +
                             std::to_string(held) + " wild cards, and no deal of the section for " +
                             section_text(section, words.game()) + " has them");
        }
        seen.try_emplace({entry.key, section}, number);
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
        chart.lines.push_back(
            ChartLine{key, pattern_text(key, game, profile), ++number, -1.0, -1, {}});
    }
    return chart;
}

std::string write_chart(const Chart& chart, const Game& game, const std::string& game_id) {
    const RankProfile profile = rank_profile(game);
    const bool sectioned = std::any_of(chart.lines.begin(), chart.lines.end(),
                                       [](const ChartLine& line) { return line.section >= 0; });
    std::string out =
        "# A strategy chart for " + game.name() + ", " + std::to_string(chart.lines.size()) +
        " lines" +
        (sectioned ? " in sections, at most " + std::to_string(chart.lines_read()) + " for one deal"
                   : std::string()) +
        ". Hold the cards of the first line the deal shows;\n# " + std::string(kTieRule) + ".\n";
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
    if (sectioned) {
        out +=
            "# Each deal plays the lines above the sections and those of the section of the\n"
            "# wild cards it was dealt.\n";
    }
    out += "game " + game_id + "\n";
    std::size_t width = 0;
    for (const ChartLine& line : chart.lines) {
        width = std::max(width, line.words.size());
    }
    int section = -1;
    for (const ChartLine& line : chart.lines) {
        if (line.section != section) {
            section = line.section;
            out += section_heading_text(section, game) + "\n";
        }
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

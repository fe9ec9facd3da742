// The plain reader's words: a chart file's header sentences and lines, read as a player reads
// them, into what each line asks of the deal and of the cards kept.

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>
#include <utility>

#include "base/ranks.h"
#include "tests/odds/plain_reader/plain_chart.h"

namespace quillon::odds::plain {

namespace {

bool starts(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool take(std::string_view& text, std::string_view prefix) {
    if (!starts(text, prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

std::string lower(std::string_view text) {
    std::string out;
    for (const char c : text) {
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
        text.remove_prefix(1);
    }
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::vector<std::string> split(std::string_view text, std::string_view by) {
    std::vector<std::string> parts;
    for (std::size_t at = text.find(by); at != std::string_view::npos; at = text.find(by)) {
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + by.size());
    }
    parts.emplace_back(text);
    return parts;
}

// "ace", "aces", "a", "10": an engine rank, or -1.
int rank_of(std::string_view word) {
    for (int r = 0; r < kRankCount; ++r) {
        const auto at = static_cast<std::size_t>(r);
        if (word == kRankWords[at] || word == kRankPlurals[at] || word == lower(kRankSymbols[at])) {
            return r;
        }
    }
    return -1;
}

// "10-j-q": the ranks, or 0 where the text is not ranks joined by dashes.
unsigned rank_set(std::string_view text) {
    unsigned ranks = 0;
    for (const std::string& part : split(text, "-")) {
        const int r = rank_of(part);
        if (r < 0 || part.size() > 2) {
            return 0;
        }
        ranks |= 1u << r;
    }
    return ranks;
}

// "a-2-3, a-2-4 or a-3-4" (one clause of it): the sets, and whether an "or" closed the list.
bool rank_sets(std::string_view clause, std::vector<unsigned>& out, bool& closed) {
    const std::vector<std::string> parts = split(clause, " or ");
    if (parts.size() > 2) {
        return false;
    }
    std::vector<unsigned> sets;
    for (const std::string& part : parts) {
        const unsigned set = rank_set(part);
        if (set == 0) {
            return false;
        }
        sets.push_back(set);
    }
    out.insert(out.end(), sets.begin(), sets.end());
    closed = parts.size() == 2;
    return true;
}

// The ranks a group names: "aces", "twos to fours", "jacks or better".
unsigned rank_group(std::string_view text, unsigned high) {
    if (text.ends_with(" or better")) {
        return high;
    }
    if (const std::vector<std::string> ends = split(text, " to "); ends.size() == 2) {
        const int from = rank_of(ends[0]);
        const int to = rank_of(ends[1]);
        if (from >= 0 && to >= from) {
            return ((2u << to) - 1) & ~((1u << from) - 1);
        }
    }
    const int r = rank_of(text);
    return r < 0 ? 0 : 1u << r;
}

[[noreturn]] void unknown(std::string_view words) {
    throw UnknownWords("the plain reader does not know the line '" + std::string(words) + "'");
}

// The least pay of the hands of a class range, as the game pays them.
std::int64_t least_pay(const Game& game, HandClass first, int count) {
    std::int64_t least = -1;
    for (int i = 0; i < count; ++i) {
        const std::int64_t pay = game.pay_of(class_at(i, first));
        least = least < 0 || (pay > 0 && pay < least) ? pay : least;
    }
    return least;
}

// The made hands of one pay class a single line names, kept whole.
std::vector<HandClass> made_classes(std::string_view name) {
    if (name == "straight") {
        return {HandClass::straight};
    }
    if (name == "flush") {
        return {HandClass::flush};
    }
    if (name == "full house") {
        return {HandClass::full_house};
    }
    if (name == "straight flush") {
        return {HandClass::straight_flush};
    }
    if (name == "wild royal") {
        return {HandClass::wild_royal};
    }
    if (name == "natural royal" || name == "royal flush") {
        return {HandClass::natural_royal};
    }
    if (name == "five of a kind") {
        std::vector<HandClass> fives;
        for (int r = 0; r < kRankCount; ++r) {
            fives.push_back(five_of(r));
        }
        return fives;
    }
    return {};
}

std::optional<Dealt> dealt_name(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, Dealt>, 9> kNames = {{
        {"royal flush", Dealt::royal},
        {"straight flush", Dealt::straight_flush},
        {"four of a kind", Dealt::four},
        {"full house", Dealt::full_house},
        {"flush", Dealt::flush},
        {"straight", Dealt::straight},
        {"three of a kind", Dealt::three},
        {"two pair", Dealt::two_pair},
        {"high pair", Dealt::high_pair},
    }};
    for (const auto& [words, hand] : kNames) {
        if (name == words) {
            return hand;
        }
    }
    return std::nullopt;
}

// "royal flush, straight flush, four of a kind or 4 to a royal flush": made hands named together.
bool read_dealt(std::string_view text, Line& line) {
    std::string rest(text);
    if (rest.ends_with(" or 4 to a royal flush")) {
        rest.resize(rest.size() - std::string_view(" or 4 to a royal flush").size());
        line.or_royal_draw = true;
    }
    const std::string_view kicker = " (with its kicker where the kicker pays)";
    if (const std::size_t at = rest.find(kicker); at != std::string::npos) {
        rest.erase(at, kicker.size());
        line.kicker = true;
    }
    std::vector<std::string> names = split(rest, ", ");
    if (!line.or_royal_draw) {
        std::vector<std::string> last = split(names.back(), " or ");
        if (last.size() != 2) {
            return false;
        }
        names.back() = last[0];
        names.push_back(last[1]);
    }
    if (names.size() < 2) {
        return false;
    }
    for (const std::string& name : names) {
        const std::optional<Dealt> hand = dealt_name(name);
        if (!hand) {
            return false;
        }
        line.hands.push_back(*hand);
    }
    line.shape = Shape::dealt;
    return true;
}

// What follows a draw's, a named card's or a set's own words: ", mixed suits, 1 gap, ...".
void read_modifiers(const std::vector<std::string>& clauses, std::size_t from, Line& line) {
    std::vector<unsigned>* list = nullptr;
    bool closed = true;
    for (std::size_t i = from; i < clauses.size(); ++i) {
        std::string_view c = clauses[i];
        if (!closed && list != nullptr && rank_sets(c, *list, closed)) {
            continue;
        }
        list = nullptr;
        closed = true;
        if (c == "not a royal" && line.family == Family::straight_flush) {
            continue;
        }
        if (c == "mixed suits") {
            line.mixed = true;
        } else if (c == "no straight in it" || c == "no straight in them") {
            line.no_straight = true;
        } else if (c == "no gaps" || c == "1 gap" || c == "2 gaps") {
            line.gaps = c == "no gaps" ? 0 : c[0] - '0';
        } else if (c == "no high card") {
            line.high = 0;
        } else if (c == "1 high card" || c == "2 high cards" || c == "3 high cards" ||
                   c == "4 high cards") {
            line.high = c[0] - '0';
        } else if (c == "3 high cards or more") {
            line.high = 3;
            line.high_or_more = true;
        } else if (c == "at least as many high cards as gaps") {
            line.high_against_gaps = 1;
        } else if (c == "fewer high cards than gaps") {
            line.high_against_gaps = 2;
        } else if (c == "not 2 gaps with no high card") {
            line.not_two_gaps_no_high = true;
        } else if (c == "no ace" || c == "with the ace") {
            line.ace = c == "no ace" ? 0 : 1;
        } else if (c == "ace high" || c == "king high" || c == "queen or jack high") {
            line.tops = c == "ace high"    ? 1u << kAce
                        : c == "king high" ? 1u << (kAce - 1)
                                           : (1u << (kAce - 2)) | (1u << (kAce - 3));
        } else if (c == "highest card 6 or lower" || c == "highest card 7 or higher") {
            line.top_card = c == "highest card 6 or lower" ? 1 : 2;
        } else if (c == "the ace low" && line.top_card == 1) {
            continue;
        } else if (c == "flush penalty" || c == "no flush penalty") {
            line.penalty = c == "flush penalty" ? 1 : 0;
        } else if (c == "natural or with deuces") {
            line.any_wild = true;
        } else if (take(c, "not ") && rank_sets(c, line.not_ranks, closed)) {
            list = &line.not_ranks;
        } else if (rank_sets(c, line.only_ranks, closed)) {
            list = &line.only_ranks;
        } else {
            unknown(line.words);
        }
    }
}

bool read_draw(std::string_view text, Line& line) {
    const std::vector<std::string> clauses = split(text, ", ");
    std::string_view head = clauses[0];
    if (head.size() < 2 || !std::isdigit(static_cast<unsigned char>(head[0])) || head[1] != ' ') {
        return false;
    }
    const int naturals = head[0] - '0';
    head.remove_prefix(2);
    if (head == "to a royal flush") {
        line.family = Family::royal;
    } else if (head == "to a straight flush") {
        line.family = Family::straight_flush;
        if (clauses.size() < 2 || clauses[1] != "not a royal") {
            unknown(line.words);
        }
    } else if (head == "to a flush") {
        line.family = Family::flush;
    } else if (head == "to an outside straight" || head == "to an inside straight") {
        line.family = Family::straight;
        line.fills = head == "to an outside straight" ? 2 : 1;
    } else if (head == "to a straight") {
        line.family = Family::straight;
    } else if (head == "cards") {
        line.family = Family::cards;
    } else {
        return false;
    }
    line.shape = Shape::draw;
    line.naturals = naturals;
    read_modifiers(clauses, 1, line);
    if (line.any_wild) {
        line.cards = line.naturals;
        line.naturals = -1;
    }
    return true;
}

bool read_sets(std::string_view text, Line& line, unsigned high) {
    // The ranks in brackets may list groups with commas: the words after them are the clauses.
    std::vector<std::string> clauses;
    if (starts(text, "high pair (") && text.find(')') != std::string_view::npos) {
        const std::size_t close = text.find(')');
        clauses = split(text.substr(close + 1), ", ");
        clauses[0] = std::string(text.substr(0, close + 1));
    } else {
        clauses = split(text, ", ");
    }
    std::string_view head = clauses[0];
    line.shape = Shape::sets;
    if (head == "pair" || head == "low pair") {
        line.set_counts = {2};
        line.set_ranks = head == "pair" ? 0x1fffu : 0x1fffu & ~high;
    } else if (take(head, "high pair (") && head.ends_with(")")) {
        head.remove_suffix(1);
        const std::vector<std::string> groups = split(head, ", ");
        line.set_counts = {2};
        line.set_ranks = rank_group(groups.back(), high);
        if (groups.size() > 2 || line.set_ranks == 0) {
            unknown(line.words);
        }
    } else if (head == "two pair") {
        line.set_counts = {2, 2};
    } else if (take(head, "three ") || take(head, "four ")) {
        line.set_counts = {starts(clauses[0], "three") ? 3 : 4};
        line.set_ranks = head == "of a kind" ? 0x1fffu : rank_group(head, high);
        if (line.set_ranks == 0) {
            unknown(line.words);
        }
    } else {
        return false;
    }
    read_modifiers(clauses, 1, line);
    line.cards = line.set_counts.size() == 2 ? 4 : line.set_counts[0];
    return true;
}

bool read_named(std::string_view text, Line& line) {
    const std::vector<std::string> clauses = split(text, ", ");
    std::string_view head = clauses[0];
    if (!take(head, "suited ") && !take(head, "unsuited ")) {
        return false;
    }
    line.suited = starts(clauses[0], "suited");
    line.named_ranks = rank_set(head);
    line.naturals = static_cast<int>(split(head, "-").size());
    if (line.named_ranks == 0 || line.naturals < 2) {
        unknown(line.words);
    }
    line.shape = Shape::named;
    read_modifiers(clauses, 1, line);
    return true;
}

bool read_alone(std::string_view text, Line& line, unsigned high, const Game& game) {
    std::string_view head = text;
    const bool ends_alone = head.ends_with(" alone");
    if (ends_alone) {
        head.remove_suffix(std::string_view(" alone").size());
    } else if (line.wild == 0) {
        return false;
    }
    line.shape = Shape::alone;
    if (ends_alone && (head == "deuce" || head == "joker")) {
        line.wild = 1;
        return true;
    }
    if (ends_alone && head.size() > 7 && head[0] >= '2' && head[0] <= '4' &&
        head.substr(1) == " deuces") {
        line.wild = head[0] - '0';
        return true;
    }
    const unsigned naturals = game.deuces_wild() ? 0x1ffeu : 0x1fffu;
    line.naturals = 1;
    if (head == "a high card") {
        line.alone_ranks = high;
    } else if (head == "a low card") {
        line.alone_ranks = naturals & ~high;
    } else if (head == "one card") {
        line.alone_ranks = naturals;
    } else if (const int r = rank_of(head); r >= 0 && head.size() > 2) {
        line.alone_ranks = 1u << r;
    } else {
        return false;
    }
    return true;
}

// One line's words, lower case, its comment cut.
Line read_line(const std::string& words, const Game& game, unsigned high) {
    Line line;
    line.words = words;
    std::string_view text = words;
    if (text == "discard everything") {
        return line;
    }
    if (take(text, "joker + ") || take(text, "deuce + ")) {
        line.wild = 1;
    } else if (text.size() > 11 && text[0] >= '2' && text[0] <= '3' &&
               text.substr(1, 10) == " deuces + ") {
        line.wild = text[0] - '0';
        text.remove_prefix(11);
    }
    if (line.wild == 0 && read_dealt(text, line)) {
        return line;
    }
    line.hands.clear();
    line.kicker = line.or_royal_draw = false;
    if (text ==
            "the low card with the most open straights less discards of its suit, a ten "
            "counting one more" &&
        game.has_joker()) {
        line.shape = Shape::open_low;
        line.naturals = 1;
        return line;
    }
    if (line.wild == 0) {
        if (text == "any paying hand of all five cards") {
            line.shape = Shape::five_or_more;
            line.least_pay = 1;
            return line;
        }
        if (text.ends_with(" or better, all five cards")) {
            text.remove_suffix(std::string_view(" or better, all five cards").size());
            const std::vector<HandClass> named = made_classes(text);
            if (named.empty()) {
                unknown(words);
            }
            line.shape = Shape::five_or_more;
            line.least_pay = least_pay(game, named.front(), static_cast<int>(named.size()));
            return line;
        }
        if (const std::vector<HandClass> named = made_classes(text); !named.empty()) {
            line.shape = Shape::made;
            line.classes = named;
            return line;
        }
    }
    if (read_draw(text, line) || read_sets(text, line, high) || read_named(text, line) ||
        read_alone(text, line, high, game)) {
        return line;
    }
    unknown(words);
}

// The header's sentences that decide holds, as the generated charts state them.
constexpr std::string_view kOpening = "hold the cards of the first line the deal shows;";
constexpr std::string_view kTieRule =
    "where a line fits several holds, keep the one that can make the most straights (a royal's "
    "cards first), then the one whose natural cards add up to more (a two counting 1, a three 2 "
    "and so on to an ace 13), then the first in card order (by rank, two to ace, then suit, s d c "
    "h: of two holds the one that throws away the highest card only one of them keeps).";
constexpr std::string_view kNoNaturalTwo =
    "every two is wild: a straight that needs a two is not counted, as no natural card can fill "
    "it.";
constexpr std::string_view kDealtFirst =
    "a made hand that a line names is the dealt hand, kept before any draw the same line names.";
constexpr std::string_view kSections =
    "each deal plays the lines above the sections and those of the section of the wild cards it "
    "was dealt.";
constexpr std::string_view kHighCards = "high cards: ";
constexpr std::string_view kHighCardsEnd =
    ", the ranks whose pair pays (the ace counts as a high card).";

// One header comment line: every sentence in it must be one the reader knows.
void read_header(std::string_view text, Chart& chart) {
    if (take(text, "a strategy chart for ")) {
        // The chart's title: its game and length, then the opening sentence.
        const std::size_t at = text.find(". ");
        if (at == std::string_view::npos || text.substr(at + 2) != kOpening) {
            throw UnknownWords("the plain reader does not know the header '" + std::string(text) +
                               "'");
        }
        return;
    }
    if (text == kTieRule) {
        chart.tie_rule = true;
    } else if (text == kNoNaturalTwo) {
        chart.no_natural_two = true;
    } else if (text == kDealtFirst) {
        chart.dealt_first = true;
    } else if (text == kSections) {
        chart.sectioned = true;
    } else if (take(text, kHighCards) && text.ends_with(kHighCardsEnd)) {
        text.remove_suffix(kHighCardsEnd.size());
        std::string names(text);
        if (const std::size_t at = names.rfind(" and "); at != std::string::npos) {
            names.replace(at, 5, ", ");
        }
        for (const std::string& name : split(names, ", ")) {
            const int r = rank_of(name);
            if (r < 0) {
                throw UnknownWords("the plain reader does not know the rank '" + name + "'");
            }
            chart.high |= 1u << r;
        }
    } else {
        throw UnknownWords("the plain reader does not know the header '" + std::string(text) + "'");
    }
}

}  // namespace

// A section's heading without its colon ("three deuces", "no joker", "one wild card"): the wild
// cards dealt of its deals, or -1 where the words are no heading.
int section_of(std::string_view heading) {
    const std::size_t space = heading.find(' ');
    if (space == std::string_view::npos) {
        return -1;
    }
    const std::string_view what = heading.substr(space + 1);
    if (what != "deuce" && what != "deuces" && what != "joker" && what != "jokers" &&
        what != "wild card" && what != "wild cards") {
        return -1;
    }
    constexpr std::array<std::string_view, 6> kCounts = {"no",    "one",  "two",
                                                         "three", "four", "five"};
    const auto at = std::find(kCounts.begin(), kCounts.end(), heading.substr(0, space));
    return at == kCounts.end() ? -1 : static_cast<int>(at - kCounts.begin());
}

Chart read(std::string_view text, const Game& game) {
    Chart chart;
    std::istringstream in{std::string(text)};
    bool body = false;
    // A header sentence may run on over several comment lines: it ends at its full stop (the
    // title's opening sentence at its semicolon).
    std::string sentence;
    std::vector<std::pair<std::string, int>> words;
    int section = -1;
    for (std::string raw; std::getline(in, raw);) {
        const std::size_t hash = raw.find('#');
        const std::string line = lower(trimmed(std::string_view(raw).substr(0, hash)));
        if (line.empty()) {
            if (!body && hash != std::string::npos) {
                const std::string part = lower(trimmed(std::string_view(raw).substr(hash + 1)));
                sentence += sentence.empty() ? part : " " + part;
                if (sentence.ends_with('.') || sentence.ends_with(';')) {
                    read_header(sentence, chart);
                    sentence.clear();
                }
            }
            continue;
        }
        body = true;
        if (starts(line, "game ")) {
            chart.game_name = line.substr(5);
            continue;
        }
        if (line.ends_with(':')) {
            section = section_of(std::string_view(line).substr(0, line.size() - 1));
            if (section < 0 || !chart.sectioned) {
                unknown(line);
            }
            continue;
        }
        words.emplace_back(line, section);
    }
    if (!sentence.empty()) {
        read_header(sentence, chart);
    }
    if (!chart.tie_rule || (game.deuces_wild() && !chart.no_natural_two)) {
        throw UnknownWords("the header does not state the tie rule whole");
    }
    for (const auto& [line, in_section] : words) {
        chart.lines.push_back(read_line(line, game, chart.high));
        chart.lines.back().section = in_section;
    }
    return chart;
}

bool Table::wild(CardId card) const {
    return card.is_joker() || (game.deuces_wild() && card.rank() == 2);
}

}  // namespace quillon::odds::plain

#include "odds/strategy/chart/chart_sectioning.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_sections.h"
#include "odds/strategy/patterns/pattern_key.h"
#include "odds/strategy/patterns/pattern_words.h"

namespace quillon::odds {

namespace {

// Each line's deals by the wild cards dealt: decided[line][wild].
using Decided = std::vector<std::vector<std::uint64_t>>;

std::size_t counts_decided(const std::vector<std::uint64_t>& by_wild) {
    return static_cast<std::size_t>(
        std::count_if(by_wild.begin(), by_wild.end(), [](std::uint64_t n) { return n != 0; }));
}

// The pattern of a line that takes in any number of wild cards, for the deals of one count:
// the same hand with that many (of a set, the natural cards of its rank are the rest).
PatternKey with_wild(PatternKey key, int wild) {
    using namespace pattern_key;
    PatternKey own = (key & ~field_bits(kAnyDeuces) & ~field_bits(kWild)) |
                     put(kWild, static_cast<unsigned>(wild));
    if (kind_of(key) == Kind::sets) {
        own = (own & ~field_bits(kTop)) | put(kTop, get(key, kHeld) - static_cast<unsigned>(wild));
    }
    return own;
}

}  // namespace

Chart sectioned_chart(const std::vector<PatternKey>& keys, const Game& game,
                      const DealPatterns& table) {
    const Chart flat = chart_of_keys(keys, game);
    if (wild_cards_in_deck(game) == 0) {
        return flat;
    }
    const std::vector<TablePick> picks = table_picks(game, flat, table);
    std::vector<int> wild(table.deals.size());
    Decided decided(keys.size(), std::vector<std::uint64_t>(
                                     static_cast<std::size_t>(wild_cards_in_deck(game)) + 1));
    for (std::size_t d = 0; d < table.deals.size(); ++d) {
        for (const CardId card : class_cards(table.deals[d], game.has_joker())) {
            wild[d] += is_wild(card, game) ? 1 : 0;
        }
        if (picks[d].line != kNoTableLine) {
            decided[picks[d].line][static_cast<std::size_t>(wild[d])] += table.deals[d].weight;
        }
    }
    Chart out;
    // Where each line of `out` stands in the flat chart.
    std::vector<std::uint32_t> flat_line;
    std::size_t head = 0;
    // The head of the chart that deals of several counts play alike is written once.
    for (; head < keys.size() && counts_decided(decided[head]) >= 2; ++head) {
        out.lines.push_back(flat.lines[head]);
        flat_line.push_back(static_cast<std::uint32_t>(head));
    }
    // Published charts read from the most wild cards down.
    for (int w = wild_cards_in_deck(game); w >= 0; --w) {
        for (std::size_t j = head; j < keys.size(); ++j) {
            if (decided[j][static_cast<std::size_t>(w)] != 0) {
                ChartLine line = flat.lines[j];
                line.section = w;
                out.lines.push_back(line);
                flat_line.push_back(static_cast<std::uint32_t>(j));
            }
        }
    }
    // The section's own hand for a line of any number of wild cards, where the table knows it
    // and it keeps the same hold as the line in every deal of the section.
    const RankProfile profile = rank_profile(game);
    const ChartWords words(game);
    const std::unordered_set<PatternKey> known(table.keys.begin(), table.keys.end());
    // The field of any number of wild cards shares its bits with others in the other games.
    const bool any_wild = (pattern_key::games_of(profile) &
                           (pattern_key::kDeucesWild | pattern_key::kJokerNoPairs)) != 0;
    for (ChartLine& line : out.lines) {
        if (!any_wild || line.section < 0 ||
            pattern_key::get(line.key, pattern_key::kAnyDeuces) == 0) {
            continue;
        }
        // The words of the hand with the section's wild cards name a pattern of the game's own,
        // which may say more of the hand than the line does (the ranks of a set): the play
        // decides whether it is the same.
        const std::string text = pattern_text(with_wild(line.key, line.section), game, profile);
        if (!words.knows(text) || !known.contains(words.find(text))) {
            continue;
        }
        const PatternKey own = words.find(text);
        // A section gives a pattern once: where its own hand is a line already, both stay.
        if (std::any_of(out.lines.begin(), out.lines.end(), [&](const ChartLine& other) {
                return other.key == own && (other.section < 0 || other.section == line.section);
            })) {
            continue;
        }
        const ChartLine was = line;
        line.key = own;
        line.words = text;
        const std::vector<TablePick> mine = table_picks(game, out, table);
        bool same = true;
        for (std::size_t d = 0; d < picks.size() && same; ++d) {
            if (wild[d] == was.section) {
                const bool none = mine[d].line == kNoTableLine;
                same = none == (picks[d].line == kNoTableLine) &&
                       (none || (flat_line[mine[d].line] == picks[d].line &&
                                 mine[d].mask == picks[d].mask));
            }
        }
        if (!same) {
            line = was;
        }
    }
    int number = 0;
    for (ChartLine& line : out.lines) {
        line.file_line = ++number;
    }
    return out;
}

}  // namespace quillon::odds

#include "odds/strategy/chart/chart_sectioning.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <unordered_set>

#include "odds/strategy/chart/chart_conditions.h"
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

// The sectioned chart as it is built, each line with its place in the flat chart, and the check
// that a change to it leaves every deal the flat chart's line and hold.
class Sectioning {
  public:
    Sectioning(const Chart& flat, const SectionDeals& deals)
        : flat_(flat), deals_(deals), picks_(deals.wild.size()) {
        std::vector<std::uint32_t> every(deals.wild.size());
        std::iota(every.begin(), every.end(), 0u);
        deals.pick(flat, every, picks_);
    }

    // The flat chart's pick for each deal, and its number of lines.
    const std::vector<TablePick>& picks() const { return picks_; }
    std::size_t flat_size() const { return flat_.lines.size(); }

    // Whether `chart`, whose lines stand at `flat_line` in the flat chart, keeps each deal of
    // `which` by the line and hold the flat chart keeps it by.
    bool plays_as_flat(const Chart& chart, const std::vector<std::uint32_t>& flat_line,
                       const std::vector<std::uint32_t>& which) const {
        mine_.resize(picks_.size());
        deals_.pick(chart, which, mine_);
        for (const std::uint32_t d : which) {
            const bool none = mine_[d].line == kNoTableLine;
            if (none != (picks_[d].line == kNoTableLine) ||
                (!none &&
                 (flat_line[mine_[d].line] != picks_[d].line || mine_[d].mask != picks_[d].mask))) {
                return false;
            }
        }
        return true;
    }

  private:
    const Chart& flat_;
    const SectionDeals& deals_;
    std::vector<TablePick> picks_;
    mutable std::vector<TablePick> mine_;
};

// Whether two lines stand where the same deals read them: above the sections both, or in one.
bool same_scope(const ChartLine& a, const ChartLine& b) {
    return a.section == b.section;
}

// Names each line of any number of wild cards by the section's own hand, where the game knows
// those words and they keep the same hold as the line in every deal of the section.
void name_own_hands(Chart& out, const std::vector<std::uint32_t>& flat_line, const Game& game,
                    const SectionDeals& deals, const Sectioning& sectioning) {
    const RankProfile profile = rank_profile(game);
    // The field of any number of wild cards shares its bits with others in the other games.
    if ((pattern_key::games_of(profile) &
         (pattern_key::kDeucesWild | pattern_key::kJokerNoPairs)) == 0) {
        return;
    }
    const ChartWords words(game);
    const std::vector<TablePick>& picks = sectioning.picks();
    for (std::size_t at = 0; at < out.lines.size(); ++at) {
        ChartLine& line = out.lines[at];
        if (line.section < 0 || pattern_key::get(line.key, pattern_key::kAnyDeuces) == 0) {
            continue;
        }
        // A pattern with an exception on it in the section keeps the one name for both.
        if (std::count_if(out.lines.begin(), out.lines.end(), [&](const ChartLine& other) {
                return other.key == line.key && same_scope(other, line);
            }) > 1) {
            continue;
        }
        // The words of the hand with the section's wild cards name a pattern of the game's own,
        // which may say more of the hand than the line does (the ranks of a set): the play
        // decides whether it is the same.
        const std::string text = pattern_text(with_wild(line.key, line.section), game, profile);
        if (!words.knows(text) || !deals.knows(words.find(text))) {
            continue;
        }
        const PatternKey own = words.find(text);
        // A section gives a pattern once: where its own hand is a line already, both stay.
        if (std::any_of(out.lines.begin(), out.lines.end(), [&](const ChartLine& other) {
                return other.key == own && (other.section < 0 || other.section == line.section);
            })) {
            continue;
        }
        // The deals of the section that the lines above do not decide: only they can change.
        std::vector<std::uint32_t> place(sectioning.flat_size(), 0);
        for (std::size_t k = 0; k < out.lines.size(); ++k) {
            if (out.lines[k].section == line.section) {
                place[flat_line[k]] = static_cast<std::uint32_t>(k);
            }
        }
        std::vector<std::uint32_t> which;
        for (std::uint32_t d = 0; d < deals.wild.size(); ++d) {
            if (deals.wild[d] == line.section &&
                (picks[d].line == kNoTableLine || place[picks[d].line] >= at)) {
                which.push_back(d);
            }
        }
        const ChartLine was = line;
        line.key = own;
        line.words = text + condition_text(line.condition);
        if (!sectioning.plays_as_flat(out, flat_line, which)) {
            line = was;
        }
    }
}

// Moves each exception down to just above the bare line of its pattern in its section (above
// the exceptions already there), where every deal it decides keeps its hold.
void place_exceptions(Chart& out, std::vector<std::uint32_t>& flat_line, const SectionDeals& deals,
                      const Sectioning& sectioning) {
    const std::vector<TablePick>& picks = sectioning.picks();
    for (std::size_t i = out.lines.size(); i-- > 0;) {
        const ChartLine& exception = out.lines[i];
        if (!exception.condition.any()) {
            continue;
        }
        std::size_t bare = i + 1;
        while (bare < out.lines.size() && same_scope(out.lines[bare], exception) &&
               !(out.lines[bare].key == exception.key && !out.lines[bare].condition.any())) {
            ++bare;
        }
        if (bare == out.lines.size() || !same_scope(out.lines[bare], exception)) {
            continue;
        }
        std::size_t top = bare;
        while (top - 1 > i && out.lines[top - 1].key == exception.key &&
               out.lines[top - 1].condition.any()) {
            --top;
        }
        if (top == i + 1) {
            continue;
        }
        // Only the deals the exception decides can change.
        std::vector<std::uint32_t> which;
        for (std::uint32_t d = 0; d < deals.wild.size(); ++d) {
            if (picks[d].line == flat_line[i] &&
                (exception.section < 0 || deals.wild[d] == exception.section)) {
                which.push_back(d);
            }
        }
        Chart moved = out;
        std::vector<std::uint32_t> moved_line = flat_line;
        std::rotate(moved.lines.begin() + static_cast<std::ptrdiff_t>(i),
                    moved.lines.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                    moved.lines.begin() + static_cast<std::ptrdiff_t>(top));
        std::rotate(moved_line.begin() + static_cast<std::ptrdiff_t>(i),
                    moved_line.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                    moved_line.begin() + static_cast<std::ptrdiff_t>(top));
        if (sectioning.plays_as_flat(moved, moved_line, which)) {
            out = std::move(moved);
            flat_line = std::move(moved_line);
        }
    }
}

}  // namespace

Chart sectioned_chart(const Chart& flat, const Game& game, const SectionDeals& deals) {
    const int most = wild_cards_in_deck(game);
    if (most == 0) {
        return flat;
    }
    const Sectioning sectioning(flat, deals);
    const std::vector<TablePick>& picks = sectioning.picks();
    Decided decided(flat.lines.size(),
                    std::vector<std::uint64_t>(static_cast<std::size_t>(most) + 1));
    for (std::size_t d = 0; d < picks.size(); ++d) {
        if (picks[d].line != kNoTableLine) {
            decided[picks[d].line][static_cast<std::size_t>(deals.wild[d])] += deals.weight[d];
        }
    }
    Chart out;
    out.game = flat.game;
    // Where each line of `out` stands in the flat chart.
    std::vector<std::uint32_t> flat_line;
    std::size_t head = 0;
    // The head of the chart that deals of several counts play alike is written once.
    for (; head < flat.lines.size() && counts_decided(decided[head]) >= 2; ++head) {
        out.lines.push_back(flat.lines[head]);
        out.lines.back().section = -1;
        flat_line.push_back(static_cast<std::uint32_t>(head));
    }
    // Published charts read from the most wild cards down.
    for (int w = most; w >= 0; --w) {
        for (std::size_t j = head; j < flat.lines.size(); ++j) {
            if (decided[j][static_cast<std::size_t>(w)] != 0) {
                ChartLine line = flat.lines[j];
                line.section = w;
                out.lines.push_back(line);
                flat_line.push_back(static_cast<std::uint32_t>(j));
            }
        }
    }
    name_own_hands(out, flat_line, game, deals, sectioning);
    place_exceptions(out, flat_line, deals, sectioning);
    int number = 0;
    for (ChartLine& line : out.lines) {
        line.file_line = ++number;
    }
    return out;
}

Chart sectioned_chart(const std::vector<PatternKey>& keys, const Game& game,
                      const DealPatterns& table) {
    const Chart flat = chart_of_keys(keys, game);
    if (wild_cards_in_deck(game) == 0) {
        return flat;
    }
    SectionDeals deals;
    for (const DealClass& deal : table.deals) {
        int wild = 0;
        for (const CardId card : class_cards(deal, game.has_joker())) {
            wild += is_wild(card, game) ? 1 : 0;
        }
        deals.wild.push_back(wild);
        deals.weight.push_back(deal.weight);
    }
    // The table picks for every deal at once.
    deals.pick = [&](const Chart& chart, const std::vector<std::uint32_t>&,
                     std::vector<TablePick>& picks) { picks = table_picks(game, chart, table); };
    const std::unordered_set<PatternKey> known(table.keys.begin(), table.keys.end());
    deals.knows = [&](PatternKey key) { return known.contains(key); };
    return sectioned_chart(flat, game, deals);
}

Chart sectioned_chart(const Chart& flat, const Tallies& tallies, unsigned threads) {
    const Game& game = tallies.game();
    if (wild_cards_in_deck(game) == 0) {
        return flat;
    }
    std::vector<std::array<CardId, 5>> cards;
    SectionDeals deals;
    for (const DealClass& deal : deal_classes(game.jokers())) {
        const std::array<CardId, 5>& dealt =
            cards.emplace_back(class_cards(deal, game.has_joker()));
        deals.wild.push_back(static_cast<int>(
            std::count_if(dealt.begin(), dealt.end(), [&](CardId c) { return is_wild(c, game); })));
        deals.weight.push_back(deal.weight);
    }
    threads = std::max(1u, threads);
    deals.pick = [&](const Chart& chart, const std::vector<std::uint32_t>& which,
                     std::vector<TablePick>& picks) {
        const ChartDecider decider(chart, game);
        on_threads(threads, [&](unsigned t) {
            for (std::size_t i = t; i < which.size(); i += threads) {
                const ChartDecision decision = decider.decide(cards[which[i]]);
                picks[which[i]] =
                    decision.line == 0
                        ? TablePick{}
                        : TablePick{static_cast<std::uint32_t>(decision.line - 1), decision.hold};
            }
        });
    };
    deals.knows = [](PatternKey) { return true; };
    return sectioned_chart(flat, game, deals);
}

}  // namespace quillon::odds

#include "odds/strategy/chart/chart_score.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>
#include <thread>
#include <unordered_map>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "base/wide.h"
#include "odds/play/game_return.h"
#include "odds/strategy/chart/chart_sections.h"
#include "odds/strategy/patterns/deal_patterns.h"

namespace quillon::odds {

namespace {

constexpr std::uint32_t kNoLine = 0xffffffffu;

// The wild cards dealt in a deal class.
int wild_dealt(const std::array<CardId, 5>& cards, const Game& game) {
    int wild = 0;
    for (const CardId card : cards) {
        wild += is_wild(card, game) ? 1 : 0;
    }
    return wild;
}

// The first line any hold of the deal shows, and the hold the tie rule keeps for it.
struct Pick {
    std::uint32_t line = kNoLine;
    HoldMask mask = 0;
};

// Every hold's patterns of one deal: what the lines of any chart are matched against.
struct DealHolds {
    DealHolds(const Game& of_game, const RankProfile& of_profile,
              const std::array<CardId, 5>& dealt)
        : game(of_game), profile(of_profile), cards(dealt), preference_of(of_game, dealt) {
        for (unsigned m = 0; m < kHoldCount; ++m) {
            patterns[m] = patterns_of(game, profile, cards, static_cast<HoldMask>(m));
        }
        wild = wild_dealt(cards, game);
    }

    const Game& game;
    const RankProfile& profile;
    std::array<CardId, 5> cards;
    std::array<HoldPatterns, kHoldCount> patterns;
    // The wild cards dealt: the section of a chart the deal plays.
    int wild = 0;
    // The tie rule's order of two holds, worked out only where they meet on one line.
    HoldPreferences preference_of;
};

// The line of each key of a chart. Every key of a line sits in a small open table: a deal's
// holds show some hundred keys, nearly all on no line, and each is looked up there, so a miss
// costs one probe of a table that sits in the first cache. Lines that stand in a section or state
// a condition on the discards are kept apart, in the chart's order, and the key's slot says where
// its own start: a sectioned chart has nearly all its lines there.
class LineIndex {
  public:
    // A chart of plain lines, as the search tries them.
    explicit LineIndex(const std::vector<PatternKey>& keys) : lines_(keys.size()) {
        size_table();
        for (std::uint32_t i = 0; i < keys.size(); ++i) {
            add(i, keys[i], -1, DiscardCondition{});
        }
    }

    // A chart as read: its lines may stand in a section or state a condition on the discards.
    explicit LineIndex(const std::vector<ChartLine>& lines) : lines_(lines.size()) {
        size_table();
        for (std::uint32_t i = 0; i < lines.size(); ++i) {
            add(i, lines[i].key, lines[i].section, lines[i].condition);
        }
    }

    std::size_t lines() const { return lines_; }

    Pick pick(DealHolds& holds) const {
        Pick best;
        for (unsigned m = 0; m < kHoldCount; ++m) {
            const auto mask = static_cast<HoldMask>(m);
            for (const PatternKey key : holds.patterns[m]) {
                const std::uint32_t at = line_of(key, holds, mask, best.line);
                if (at == kNoLine || at > best.line) {
                    continue;
                }
                if (at < best.line || holds.preference_of(mask) > holds.preference_of(best.mask)) {
                    best = Pick{at, mask};
                }
            }
        }
        return best;
    }

    Pick pick(const Game& game, const RankProfile& profile,
              const std::array<CardId, 5>& cards) const {
        DealHolds holds(game, profile, cards);
        return pick(holds);
    }

  private:
    void size_table() {
        while ((std::size_t{1} << bits_) < 4 * lines_) {
            ++bits_;
        }
        slot_.assign(std::size_t{1} << bits_, Slot{});
    }

    void add(std::uint32_t line, PatternKey key, int section, const DiscardCondition& condition) {
        Slot& s = slot_[slot_of(key)];
        s.key = key;
        if (section < 0 && !condition.any()) {
            // A line written twice decides only where it first comes.
            s.line = std::min(s.line, line);
        } else {
            if (s.special == kNoSpecial) {
                s.special = static_cast<std::uint32_t>(special_.size());
                special_.emplace_back();
            }
            special_[s.special].push_back(Entry{line, section, condition});
        }
    }

    static constexpr std::uint32_t kNoSpecial = 0xffffffffu;

    struct Slot {
        PatternKey key = 0;
        std::uint32_t line = kNoLine;
        // The key's lines in a section or with a condition, in special_ (kNoSpecial: none). A
        // slot with neither kind of line is empty.
        std::uint32_t special = kNoSpecial;

        bool empty() const { return line == kNoLine && special == kNoSpecial; }
    };

    struct Entry {
        std::uint32_t line = 0;
        int section = -1;
        DiscardCondition condition;
    };

    // The slot of `key`, or the empty slot where it would go.
    std::size_t slot_of(PatternKey key) const {
        const std::size_t last = slot_.size() - 1;
        for (std::size_t h =
                 static_cast<std::size_t>((key * 0x9e3779b97f4a7c15ull) >> (64 - bits_));
             ; h = (h + 1) & last) {
            if (slot_[h].empty() || slot_[h].key == key) {
                return h;
            }
        }
    }

    // The first line of the pattern that the hold plays in its deal's section, where it comes
    // no later than `limit`.
    std::uint32_t line_of(PatternKey key, const DealHolds& holds, HoldMask mask,
                          std::uint32_t limit) const {
        const Slot& slot = slot_[slot_of(key)];
        const std::uint32_t line = slot.line;
        if (slot.special != kNoSpecial) {
            for (const Entry& e : special_[slot.special]) {
                if (e.line >= line || e.line > limit) {
                    break;
                }
                if ((e.section < 0 || e.section == holds.wild) &&
                    (!e.condition.any() ||
                     condition_holds(e.condition, holds.game, holds.profile, holds.cards, mask))) {
                    return e.line;
                }
            }
        }
        return line;
    }

    std::vector<Slot> slot_;
    unsigned bits_ = 4;
    std::vector<std::vector<Entry>> special_;
    std::size_t lines_ = 0;
};

// A chart as the table scorer plays it: each line's pattern and section.
struct TableChart {
    std::vector<PatternKey> keys;
    std::vector<int> sections;
};

TableChart table_chart(const Chart& chart) {
    TableChart out;
    for (const ChartLine& line : chart.lines) {
        out.keys.push_back(line.key);
        out.sections.push_back(line.section);
    }
    return out;
}

// Each chart's line for every pattern of the table the charts came from (kNoLine: none), for
// each number of wild cards dealt where the chart has sections. A deal's entry of a pattern
// keeps the hold the tie rule picks among the holds showing it, so the entry of the deal's
// first line is what the chart keeps.
class TableLines {
  public:
    TableLines(const Game& game, const DealPatterns& table, const std::vector<TableChart>& charts)
        : table_(table) {
        std::unordered_map<PatternKey, std::uint32_t> id;
        id.reserve(table.keys.size());
        for (std::uint32_t p = 0; p < table.keys.size(); ++p) {
            id.try_emplace(table.keys[p], p);
        }
        // A sectioned chart has the lines of every count of wild cards, those above the headings
        // in each: a count without a section plays those alone.
        bool sectioned = false;
        for (const TableChart& chart : charts) {
            const bool has_sections = std::any_of(chart.sections.begin(), chart.sections.end(),
                                                  [](int section) { return section >= 0; });
            sectioned = sectioned || has_sections;
            const std::size_t counts =
                has_sections ? static_cast<std::size_t>(wild_cards_in_deck(game)) + 1 : 1;
            auto& by_wild = line_of_.emplace_back(
                counts, std::vector<std::uint32_t>(table.keys.size(), kNoLine));
            for (std::uint32_t i = 0; i < chart.keys.size(); ++i) {
                const auto it = id.find(chart.keys[i]);
                if (it == id.end()) {
                    complete_ = false;
                    continue;
                }
                for (std::size_t w = 0; w < by_wild.size(); ++w) {
                    const int section = chart.sections[i];
                    if (section < 0 || section == static_cast<int>(w)) {
                        // A line written twice decides only where it first comes.
                        by_wild[w][it->second] = std::min(by_wild[w][it->second], i);
                    }
                }
            }
        }
        if (sectioned) {
            wild_.reserve(table.deals.size());
            for (const DealClass& deal : table.deals) {
                wild_.push_back(static_cast<std::uint8_t>(
                    wild_dealt(class_cards(deal, game.has_joker()), game)));
            }
        }
    }

    // Whether the table knows every line of every chart.
    bool complete() const { return complete_; }

    Pick pick(std::size_t chart, std::size_t d) const {
        const auto& by_wild = line_of_[chart];
        const std::vector<std::uint32_t>& line_of = by_wild[by_wild.size() == 1 ? 0 : wild_[d]];
        Pick best;
        for (std::uint32_t e = table_.entry_begin[d]; e < table_.entry_begin[d + 1]; ++e) {
            const std::uint32_t line = line_of[table_.pattern(e)];
            if (line < best.line) {
                best = Pick{line, table_.mask(d, e)};
            }
        }
        return best;
    }

  private:
    const DealPatterns& table_;
    std::vector<std::vector<std::vector<std::uint32_t>>> line_of_;
    std::vector<std::uint8_t> wild_;
    bool complete_ = true;
};

// One thread's share of the deals for one chart, added up exactly.
struct Part {
    Wide chart = 0;
    Wide perfect = 0;
    Wide total = 0;
    Wide unmatched = 0;
    std::vector<Wide> decided;
    std::vector<std::pair<std::uint32_t, std::size_t>> heaviest;
    std::vector<ChartMiss> misses;
};

// One thread's share of the deals, for every chart at once: each deal's holds are classified
// and valued once, and only the lines looked up chart by chart; with `known`, the holds are not
// classified at all but the lines looked up in the table.
void score_part(const Tallies& tallies, const RankProfile& profile,
                const std::vector<LineIndex>& indexes, const std::vector<DealClass>& deals,
                const TableLines* known, std::size_t begin, std::size_t end,
                const std::stop_token& stop, std::vector<Part>& parts) {
    const Game& game = tallies.game();
    const int left = tallies.deck_size() - 5;
    const std::int64_t scale = game.pay_scale();
    const std::uint64_t lcm = draw_lcm(left);
    std::array<std::uint64_t, 6> per_draw{};
    for (int kept = 0; kept <= 5; ++kept) {
        per_draw[static_cast<std::size_t>(kept)] = lcm / choose(left, 5 - kept);
    }
    const auto value = [&](const HoldValues& v, HoldMask m) {
        return static_cast<double>(v[m]) /
               (static_cast<double>(choose(left, 5 - kHoldSize[m])) * static_cast<double>(scale));
    };
    parts.resize(indexes.size());
    for (std::size_t c = 0; c < indexes.size(); ++c) {
        parts[c].decided.assign(indexes[c].lines(), 0);
        parts[c].heaviest.assign(indexes[c].lines(), {0, deals.size()});
    }
    HoldValues values;
    for (std::size_t d = begin; d < end; ++d) {
        if (stop.stop_requested()) {
            return;
        }
        const DealClass& deal = deals[d];
        const std::array<CardId, 5> cards = class_cards(deal, game.has_joker());
        std::optional<DealHolds> holds;
        if (known == nullptr) {
            holds.emplace(game, profile, cards);
        }
        const SortedDeal sorted(deal.cards);
        value_holds(tallies, sorted, values);
        const HoldMask best = best_hold(tallies, sorted, values);
        const auto pay_of = [&](HoldMask m) {
            return static_cast<Wide>(values[m]) * per_draw[kHoldSize[m]] * deal.weight;
        };
        for (std::size_t c = 0; c < indexes.size(); ++c) {
            Part& part = parts[c];
            const Pick pick = known != nullptr ? known->pick(c, d) : indexes[c].pick(*holds);
            const HoldMask mine = pick.line == kNoLine ? 0 : pick.mask;
            part.chart += pay_of(mine);
            part.perfect += pay_of(best);
            part.total += static_cast<Wide>(lcm) * deal.weight;
            if (pick.line == kNoLine) {
                part.unmatched += deal.weight;
            } else {
                part.decided[pick.line] += deal.weight;
                auto& [weight, heaviest] = part.heaviest[pick.line];
                if (deal.weight > weight) {
                    weight = deal.weight;
                    heaviest = d;
                }
            }
            const double lost = value(values, best) - value(values, mine);
            if (lost > 0.0) {
                ChartMiss miss;
                miss.cards = cards;
                miss.deals = deal.weight;
                miss.line = pick.line == kNoLine ? indexes[c].lines() : pick.line;
                miss.chart_hold = mine;
                miss.best_hold = best;
                miss.chart_value = value(values, mine);
                miss.best_value = value(values, best);
                miss.cost = lost * deal.weight;
                part.misses.push_back(miss);
            }
        }
    }
}

// One chart's score from every thread's share of the deals.
ChartScore add_up(const Tallies& tallies, const RankProfile& profile, const LineIndex& index,
                  const std::vector<DealClass>& deals, std::vector<Part*> parts,
                  std::size_t worst) {
    const Game& game = tallies.game();
    const std::size_t lines = index.lines();
    Wide chart = 0;
    Wide perfect = 0;
    Wide total = 0;
    Wide unmatched = 0;
    std::vector<Wide> decided(lines, 0);
    std::vector<std::pair<std::uint32_t, std::size_t>> heaviest(lines, {0, deals.size()});
    std::vector<ChartMiss> misses;
    for (Part* p : parts) {
        chart += p->chart;
        perfect += p->perfect;
        total += p->total;
        unmatched += p->unmatched;
        for (std::size_t i = 0; i < lines; ++i) {
            decided[i] += p->decided[i];
            if (p->heaviest[i].first > heaviest[i].first) {
                heaviest[i] = p->heaviest[i];
            }
        }
        misses.insert(misses.end(), p->misses.begin(), p->misses.end());
    }
    const std::uint64_t lcm = draw_lcm(tallies.deck_size() - 5);
    const double all = static_cast<double>(total / lcm);
    ChartScore score;
    score.check =
        chart_check(chart, perfect, total, game.pay_scale(), lcm, std::move(misses), worst);
    score.deal_classes = deals.size();
    score.unmatched = static_cast<std::uint64_t>(unmatched);
    for (std::size_t i = 0; i < lines; ++i) {
        score.share.push_back(static_cast<double>(decided[i]) / all);
        ChartExample example;
        if (heaviest[i].second < deals.size()) {
            example.cards = class_cards(deals[heaviest[i].second], game.has_joker());
            example.hold = index.pick(game, profile, example.cards).mask;
            example.found = true;
        }
        score.examples.push_back(example);
    }
    return score;
}

// Every chart's score over `deals`; with `known`, the lines are looked up in the table the
// charts came from.
std::vector<ChartScore> score_deals(const Tallies& tallies, const std::vector<LineIndex>& indexes,
                                    const std::vector<DealClass>& deals, const TableLines* known,
                                    unsigned threads, std::size_t worst) {
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    threads = std::max(1u, threads);
    std::vector<std::vector<Part>> parts(threads);
    const std::size_t per = (deals.size() + threads - 1) / threads;
    const std::stop_token stop = current_stop();
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back([&, t] {
                score_part(tallies, profile, indexes, deals, known, std::min(deals.size(), t * per),
                           std::min(deals.size(), (t + 1) * per), stop, parts[t]);
            });
        }
        score_part(tallies, profile, indexes, deals, known, 0, std::min(deals.size(), per), stop,
                   parts[0]);
    }
    stop_point(stop);
    std::vector<ChartScore> scores;
    for (std::size_t c = 0; c < indexes.size(); ++c) {
        std::vector<Part*> of_chart;
        for (std::vector<Part>& thread_parts : parts) {
            of_chart.push_back(&thread_parts[c]);
        }
        scores.push_back(add_up(tallies, profile, indexes[c], deals, std::move(of_chart), worst));
    }
    return scores;
}

std::vector<LineIndex> plain_indexes(const std::vector<std::vector<PatternKey>>& charts) {
    std::vector<LineIndex> indexes;
    indexes.reserve(charts.size());
    for (const std::vector<PatternKey>& keys : charts) {
        indexes.emplace_back(keys);
    }
    return indexes;
}

}  // namespace

std::vector<ChartScore> score_charts(const Tallies& tallies,
                                     const std::vector<std::vector<PatternKey>>& charts,
                                     std::vector<DealClass> deals, unsigned threads,
                                     std::size_t worst) {
    if (deals.empty()) {
        deals = deal_classes(tallies.game().jokers());
    }
    return score_deals(tallies, plain_indexes(charts), deals, nullptr, threads, worst);
}

std::vector<ChartScore> score_charts(const Tallies& tallies,
                                     const std::vector<std::vector<PatternKey>>& charts,
                                     const DealPatterns& table, unsigned threads,
                                     std::size_t worst) {
    std::vector<TableChart> plain;
    for (const std::vector<PatternKey>& keys : charts) {
        plain.push_back(TableChart{keys, std::vector<int>(keys.size(), -1)});
    }
    const TableLines known(tallies.game(), table, plain);
    return score_deals(tallies, plain_indexes(charts), table.deals,
                       known.complete() ? &known : nullptr, threads, worst);
}

std::vector<ChartScore> score_charts(const Tallies& tallies, const std::vector<Chart>& charts,
                                     const DealPatterns& table, unsigned threads,
                                     std::size_t worst) {
    std::vector<TableChart> read;
    std::vector<LineIndex> indexes;
    bool conditions = false;
    for (const Chart& chart : charts) {
        read.push_back(table_chart(chart));
        indexes.emplace_back(chart.lines);
        conditions =
            conditions || std::any_of(chart.lines.begin(), chart.lines.end(),
                                      [](const ChartLine& l) { return l.condition.any(); });
    }
    // The table knows each deal's holds by pattern, not what their discards show.
    const TableLines known(tallies.game(), table, read);
    const bool by_table = known.complete() && !conditions;
    return score_deals(tallies, indexes, table.deals, by_table ? &known : nullptr, threads, worst);
}

std::vector<TablePick> table_picks(const Game& game, const Chart& chart,
                                   const DealPatterns& table) {
    const TableLines known(game, table, {table_chart(chart)});
    if (!known.complete()) {
        throw std::invalid_argument("a line of the chart is no pattern of the table");
    }
    if (std::any_of(chart.lines.begin(), chart.lines.end(),
                    [](const ChartLine& l) { return l.condition.any(); })) {
        throw std::invalid_argument("the table does not know what a hold throws away");
    }
    std::vector<TablePick> picks(table.deals.size());
    const std::stop_token stop = current_stop();
    for (std::size_t d = 0; d < table.deals.size(); ++d) {
        if ((d & 0xfff) == 0) {
            stop_point(stop);
        }
        const Pick pick = known.pick(0, d);
        picks[d] = TablePick{pick.line, pick.mask};
    }
    return picks;
}

ChartScore score_chart(const Tallies& tallies, const Chart& chart, unsigned threads,
                       std::size_t worst) {
    const std::vector<DealClass> deals = deal_classes(tallies.game().jokers());
    return std::move(
        score_deals(tallies, {LineIndex(chart.lines)}, deals, nullptr, threads, worst).front());
}

ChartScore score_chart(const Tallies& tallies, const std::vector<PatternKey>& keys,
                       std::vector<DealClass> deals, unsigned threads, std::size_t worst) {
    return std::move(score_charts(tallies, {keys}, std::move(deals), threads, worst).front());
}

namespace {

class LineDecider final : public ChartDecider::Index {
  public:
    LineDecider(const Chart& chart, const Game& game)
        : chart_(chart), game_(game), profile_(rank_profile(game)), lines_(chart.lines) {}

    ChartDecision decide(const std::array<CardId, 5>& deal) const override {
        const Pick pick = lines_.pick(game_, profile_, deal);
        ChartDecision decision;
        if (pick.line != kNoLine) {
            decision.line = pick.line + 1;
            decision.words = chart_.lines[pick.line].words;
            decision.file_line = chart_.lines[pick.line].file_line;
            decision.hold = pick.mask;
        }
        return decision;
    }

  private:
    const Chart& chart_;
    const Game& game_;
    RankProfile profile_;
    LineIndex lines_;
};

}  // namespace

ChartDecider::ChartDecider(const Chart& chart, const Game& game)
    : index_(std::make_unique<LineDecider>(chart, game)) {}

ChartDecider::~ChartDecider() = default;

ChartDecision ChartDecider::decide(const std::array<CardId, 5>& deal) const {
    return index_->decide(deal);
}

ChartDecision decide_deal(const Chart& chart, const Game& game, const std::array<CardId, 5>& deal) {
    return ChartDecider(chart, game).decide(deal);
}

}  // namespace quillon::odds

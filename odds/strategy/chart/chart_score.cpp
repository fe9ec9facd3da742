#include "odds/strategy/chart/chart_score.h"

#include <algorithm>
#include <array>
#include <thread>
#include <unordered_map>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "base/wide.h"
#include "odds/play/game_return.h"
#include "odds/strategy/patterns/deal_patterns.h"

namespace quillon::odds {

namespace {

constexpr std::uint32_t kNoLine = 0xffffffffu;

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
        for (const CardId card : cards) {
            wild += is_wild(card, game) ? 1 : 0;
        }
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

class LineIndex {
  public:
    // `sections` and `conditions` give each line's section and condition on the discards (as
    // in ChartLine); empty where the chart has none.
    explicit LineIndex(const std::vector<PatternKey>& keys, const std::vector<int>& sections = {},
                       const std::vector<DiscardCondition>& conditions = {})
        : lines_(keys.size()) {
        for (std::uint32_t i = 0; i < keys.size(); ++i) {
            const int section = i < sections.size() ? sections[i] : -1;
            const DiscardCondition condition =
                i < conditions.size() ? conditions[i] : DiscardCondition{};
            if (section < 0 && !condition.any()) {
                line_.try_emplace(keys[i], i);
            } else {
                special_[keys[i]].push_back(Entry{i, section, condition});
            }
        }
    }

    std::size_t lines() const { return lines_; }

    Pick pick(DealHolds& holds) const {
        Pick best;
        for (unsigned m = 0; m < kHoldCount; ++m) {
            const auto mask = static_cast<HoldMask>(m);
            for (const PatternKey key : holds.patterns[m]) {
                const std::uint32_t line = line_of(key, holds, mask, best.line);
                if (line == kNoLine || line > best.line) {
                    continue;
                }
                if (line < best.line ||
                    holds.preference_of(mask) > holds.preference_of(best.mask)) {
                    best = Pick{line, mask};
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
    struct Entry {
        std::uint32_t line = 0;
        int section = -1;
        DiscardCondition condition;
    };

    // The first line of the pattern that the hold plays in its deal's section, where it comes
    // no later than `limit`.
    std::uint32_t line_of(PatternKey key, const DealHolds& holds, HoldMask mask,
                          std::uint32_t limit) const {
        std::uint32_t line = kNoLine;
        if (const auto it = line_.find(key); it != line_.end()) {
            line = it->second;
        }
        if (special_.empty()) {
            return line;
        }
        if (const auto it = special_.find(key); it != special_.end()) {
            for (const Entry& e : it->second) {
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

    std::unordered_map<PatternKey, std::uint32_t> line_;
    // Lines that stand in a section or state a condition, in the chart's order.
    std::unordered_map<PatternKey, std::vector<Entry>> special_;
    std::size_t lines_ = 0;
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
// and valued once, and only the lines looked up chart by chart.
void score_part(const Tallies& tallies, const RankProfile& profile,
                const std::vector<LineIndex>& indexes, const std::vector<DealClass>& deals,
                std::size_t begin, std::size_t end, const std::stop_token& stop,
                std::vector<Part>& parts) {
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
        DealHolds holds(game, profile, cards);
        const SortedDeal sorted(deal.cards);
        value_holds(tallies, sorted, values);
        const HoldMask best = best_hold(tallies, sorted, values);
        const auto pay_of = [&](HoldMask m) {
            return static_cast<Wide>(values[m]) * per_draw[kHoldSize[m]] * deal.weight;
        };
        for (std::size_t c = 0; c < indexes.size(); ++c) {
            Part& part = parts[c];
            const Pick pick = indexes[c].pick(holds);
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

}  // namespace

namespace {

std::vector<ChartScore> score_indexes(const Tallies& tallies, const std::vector<LineIndex>& indexes,
                                      std::vector<DealClass> deals, unsigned threads,
                                      std::size_t worst) {
    const Game& game = tallies.game();
    if (deals.empty()) {
        deals = deal_classes(game.jokers());
    }
    const RankProfile profile = rank_profile(game);
    threads = std::max(1u, threads);
    std::vector<std::vector<Part>> parts(threads);
    const std::size_t per = (deals.size() + threads - 1) / threads;
    const std::stop_token stop = current_stop();
    {
        std::vector<std::jthread> workers;
        for (unsigned t = 1; t < threads; ++t) {
            workers.emplace_back([&, t] {
                score_part(tallies, profile, indexes, deals, std::min(deals.size(), t * per),
                           std::min(deals.size(), (t + 1) * per), stop, parts[t]);
            });
        }
        score_part(tallies, profile, indexes, deals, 0, std::min(deals.size(), per), stop,
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

}  // namespace

std::vector<ChartScore> score_charts(const Tallies& tallies,
                                     const std::vector<std::vector<PatternKey>>& charts,
                                     std::vector<DealClass> deals, unsigned threads,
                                     std::size_t worst) {
    std::vector<LineIndex> indexes;
    indexes.reserve(charts.size());
    for (const std::vector<PatternKey>& keys : charts) {
        indexes.emplace_back(keys);
    }
    return score_indexes(tallies, indexes, std::move(deals), threads, worst);
}

ChartScore score_chart(const Tallies& tallies, const Chart& chart, unsigned threads,
                       std::size_t worst) {
    std::vector<DiscardCondition> conditions;
    for (const ChartLine& line : chart.lines) {
        conditions.push_back(line.condition);
    }
    const std::vector<LineIndex> index{LineIndex(chart.keys(), chart.sections(), conditions)};
    return std::move(score_indexes(tallies, index, {}, threads, worst).front());
}

ChartScore score_chart(const Tallies& tallies, const std::vector<PatternKey>& keys,
                       std::vector<DealClass> deals, unsigned threads, std::size_t worst) {
    return std::move(score_charts(tallies, {keys}, std::move(deals), threads, worst).front());
}

ChartDecision decide_deal(const Chart& chart, const Game& game, const std::array<CardId, 5>& deal) {
    const RankProfile profile = rank_profile(game);
    std::vector<DiscardCondition> conditions;
    for (const ChartLine& line : chart.lines) {
        conditions.push_back(line.condition);
    }
    const LineIndex index(chart.keys(), chart.sections(), conditions);
    const Pick pick = index.pick(game, profile, deal);
    ChartDecision decision;
    if (pick.line != kNoLine) {
        decision.line = pick.line + 1;
        decision.words = chart.lines[pick.line].words;
        decision.file_line = chart.lines[pick.line].file_line;
        decision.hold = pick.mask;
    }
    return decision;
}

}  // namespace quillon::odds

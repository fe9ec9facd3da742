#include "odds/strategy/search/strategy_chart.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <unordered_set>
#include <utility>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "base/wide.h"
#include "odds/play/game_return.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/recognisable_lines.h"

namespace quillon::odds {

namespace {

// A mask over a class's sorted cards is already a mask over its own order.
double exact_value(const HoldValues& values, HoldMask mask, int left, std::int64_t scale) {
    return static_cast<double>(values[mask]) /
           (static_cast<double>(choose(left, 5 - kHoldSize[mask])) * static_cast<double>(scale));
}

}  // namespace

double ChartCheck::chart_return() const {
    return static_cast<double>(chart_pay) /
           (static_cast<double>(total) * static_cast<double>(pay_scale));
}

double ChartCheck::perfect_return() const {
    return static_cast<double>(perfect_pay) /
           (static_cast<double>(total) * static_cast<double>(pay_scale));
}

ChartCheck check_chart(const Tallies& tallies, const DealPatterns& table, const ChartLines& lines,
                       std::size_t worst) {
    const int left = tallies.deck_size() - 5;
    const std::int64_t scale = tallies.game().pay_scale();
    const std::uint64_t lcm = draw_lcm(left);
    std::array<std::uint64_t, 6> per_draw{};
    for (int kept = 0; kept <= 5; ++kept) {
        per_draw[static_cast<std::size_t>(kept)] = lcm / choose(left, 5 - kept);
    }
    std::vector<std::size_t> line_of(table.keys.size(), 0);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        line_of[lines[i]] = i;
    }
    const std::vector<std::uint32_t> choice = chart_choices(table, lines);
    Wide chart = 0;
    Wide perfect = 0;
    Wide total = 0;
    std::vector<ChartMiss> misses;
    HoldValues values;
    for (std::size_t d = 0; d < table.deal_count(); ++d) {
        const DealClass& deal = table.deals[d];
        if (choice[d] >= table.entry_count()) {
            throw std::logic_error("a chart without a line for every deal");
        }
        const SortedDeal sorted(deal.cards);
        value_holds(tallies, sorted, values);
        const HoldMask mine = table.mask(d, choice[d]);
        const HoldMask best = best_hold(tallies, sorted, values);
        const auto pay_of = [&](HoldMask m) {
            return static_cast<Wide>(values[m]) * per_draw[kHoldSize[m]] * deal.weight;
        };
        chart += pay_of(mine);
        perfect += pay_of(best);
        total += static_cast<Wide>(lcm) * deal.weight;
        const double lost =
            exact_value(values, best, left, scale) - exact_value(values, mine, left, scale);
        if (lost > 0.0) {
            ChartMiss miss;
            miss.cards = class_cards(deal, tallies.game().has_joker());
            miss.deals = deal.weight;
            miss.line = line_of[table.pattern(choice[d])];
            miss.chart_hold = mine;
            miss.best_hold = best;
            miss.chart_value = exact_value(values, mine, left, scale);
            miss.best_value = exact_value(values, best, left, scale);
            miss.cost = lost * deal.weight;
            misses.push_back(miss);
        }
    }
    return chart_check(chart, perfect, total, scale, lcm, std::move(misses), worst);
}

std::vector<PatternKey> generate_chart(const Tallies& tallies, std::size_t max_lines,
                                       unsigned threads) {
    return generate_charts(tallies, std::span(&max_lines, 1), threads).front();
}

std::vector<std::vector<PatternKey>> generate_charts(const Tallies& tallies,
                                                     std::span<const std::size_t> lengths,
                                                     unsigned threads) {
    return generate_charts_with_table(tallies, lengths, threads).charts;
}

DealPatterns search_table(const Tallies& tallies, const RankProfile& profile,
                          const PatternWords& words, unsigned threads) {
    // Each step takes some milliseconds: a caller that stops the work is heard between them.
    stop_point();
    std::vector<DealClass> deals = deal_classes(tallies.game().jokers());
    stop_point();
    return deal_patterns(tallies, profile, std::move(deals), threads, &words.shadowed);
}

GeneratedCharts generate_charts_with_table(const Tallies& tallies,
                                           std::span<const std::size_t> lengths, unsigned threads) {
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    GeneratedCharts out;
    const std::unordered_set<PatternKey> worked = worked_out_patterns(game, profile);
    out.table = search_table(tallies, profile, words, threads);
    // The same deals with the lines a player works out left out, made when a chart first needs
    // it: where its chart costs at most kRecognisableCost more, it is the chart. Every other
    // pattern keeps the same entries in both tables, so the charts of either are scored in the
    // whole one.
    std::optional<DealPatterns> at_sight;
    for (const std::size_t max_lines : lengths) {
        ChartLines lines = build_chart(out.table, max_lines);
        const DealPatterns* from = &out.table;
        // Only a chart that has such a line has a cost to weigh. The search without them costs
        // as much again as the chart, so it is run only where the chart that merely leaves
        // those lines out, the rest kept as they are, costs at most kRetryCost more.
        ChartLines kept;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(kept),
                     [&](std::uint32_t id) { return !worked.contains(out.table.keys[id]); });
        if (kept.size() < lines.size()) {
            const double cost = chart_shortfall(out.table, lines);
            if (chart_shortfall(out.table, kept) <= cost + kRetryCost) {
                if (!at_sight) {
                    at_sight.emplace(without_patterns(out.table, worked));
                }
                ChartLines seen = build_chart(*at_sight, max_lines);
                if (chart_shortfall(*at_sight, seen) <= cost + kRecognisableCost) {
                    lines = std::move(seen);
                    from = &*at_sight;
                }
            }
        }
        std::vector<PatternKey>& keys = out.charts.emplace_back();
        for (const std::uint32_t id : lines) {
            keys.push_back(from->keys[id]);
        }
    }
    return out;
}

ChartPick chart_hold(const Game& game, const std::vector<PatternKey>& lines,
                     const std::array<CardId, 5>& deal) {
    const RankProfile profile = rank_profile(game);
    std::array<HoldPatterns, kHoldCount> shown{};
    for (unsigned m = 0; m < kHoldCount; ++m) {
        shown[m] = patterns_of(game, profile, deal, static_cast<HoldMask>(m));
    }
    for (std::size_t line = 0; line < lines.size(); ++line) {
        bool found = false;
        ChartPick pick{line, 0};
        std::uint64_t preference = 0;
        for (unsigned m = 0; m < kHoldCount; ++m) {
            if (std::find(shown[m].begin(), shown[m].end(), lines[line]) == shown[m].end()) {
                continue;
            }
            const std::uint64_t p = hold_preference(game, deal, static_cast<HoldMask>(m));
            if (!found || p > preference) {
                found = true;
                preference = p;
                pick.mask = static_cast<HoldMask>(m);
            }
        }
        if (found) {
            return pick;
        }
    }
    throw std::invalid_argument("no line of the chart matches the deal");
}

}  // namespace quillon::odds

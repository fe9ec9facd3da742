// What the order check costs and finds: for every built-in game, the faults of its generated
// charts at 15, 20, 26 and 40 lines and the default (order_faults.h), and the time of one check
// of each chart over every deal class. With a game's name, its charts and their faults in words.
//
// Usage: bench_order_faults [GAME]   (a few seconds a game)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/order_faults.h"
#include "odds/strategy/search/strategy_chart.h"

namespace {

using namespace quillon::odds;
using quillon::CardId;

std::string words_of(const DealPatterns& table, const Game& game, std::uint32_t pattern) {
    return chart_of_keys({table.keys[pattern]}, game).lines.front().words;
}

void print_fault(const OrderFault& f, const DealPatterns& table, const Game& game) {
    std::string deal;
    for (const CardId c : class_cards(table.deals[f.example], game.has_joker())) {
        deal += " " + c.text();
    }
    std::printf("    %s: line %zu '%s' keeps '%s' above %s %zu '%s' on %llu deals, as%s\n",
                f.what == FaultKind::order ? "order" : "pat hand", f.made_line,
                words_of(table, game, f.made).c_str(), words_of(table, game, f.kind).c_str(),
                f.better_line == 0 ? "the hold of" : "line", f.better_line,
                words_of(table, game, f.better).c_str(), static_cast<unsigned long long>(f.deals),
                deal.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    std::printf("%-28s %7s %7s %7s %10s\n", "game", "lines", "order", "pat", "check ms");
    double slowest = 0.0;
    for (const std::string_view name : game_names()) {
        if (!only.empty() && name != only) {
            continue;
        }
        const Game game = find_game(name).value();
        const RankProfile profile = rank_profile(game);
        const Tallies tallies(game);
        const PatternWords words = pattern_words(game, profile);
        const DealPatterns table = search_table(tallies, profile, words, default_threads());
        PlainCharts charts(table);
        for (const std::size_t lines : {15, 20, 26, 40, 0}) {
            const ChartLines chart = charts.chart(lines);
            const auto start = std::chrono::steady_clock::now();
            const std::vector<OrderFault> faults = order_faults(table, chart);
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            slowest = std::max(slowest, ms);
            std::size_t order = 0;
            for (const OrderFault& f : faults) {
                order += f.what == FaultKind::order ? 1 : 0;
            }
            std::printf("%-28s %7s %7zu %7zu %10.1f\n", std::string(name).c_str(),
                        lines == 0 ? "default" : std::to_string(lines).c_str(), order,
                        faults.size() - order, ms);
            if (!only.empty()) {
                for (std::size_t i = 0; i < chart.size(); ++i) {
                    std::printf("  %2zu %s\n", i + 1, words_of(table, game, chart[i]).c_str());
                }
                for (const OrderFault& f : faults) {
                    print_fault(f, table, game);
                }
            }
        }
    }
    std::printf("slowest check: %.1f ms\n", slowest);
}

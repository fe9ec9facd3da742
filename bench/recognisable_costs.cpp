// What reading a chart at sight costs: for every built-in game whose words include lines a player
// works out at the table (recognisable_lines.h), the chart's cost against perfect play with those
// words and without them, at 15, 26 and 40 lines and the default, in percentage points. The
// generator takes the chart without them wherever it costs at most 0.0005 more.
//
// Usage: bench_recognisable_costs   (a few seconds a game)
#include <array>
#include <cstdio>
#include <string>

#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/recognisable_lines.h"

int main() {
    using namespace quillon::odds;
    std::printf("%-24s %7s %11s %11s %9s %s\n", "game", "lines", "worked out", "at sight", "cost",
                "chart");
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name).value();
        const RankProfile profile = rank_profile(game);
        const std::unordered_set<PatternKey> worked = worked_out_patterns(game, profile);
        if (worked.empty()) {
            continue;
        }
        const Tallies tallies(game);
        const PatternWords words = pattern_words(game, profile);
        std::unordered_set<PatternKey> left_out = words.shadowed;
        const DealPatterns whole = deal_patterns(tallies, profile, deal_classes(game.jokers()),
                                                 default_threads(), &left_out);
        const DealPatterns at_sight = without_patterns(whole, worked);
        for (const std::size_t lines : std::array<std::size_t, 4>{15, 26, 40, 0}) {
            const double with = 100.0 * chart_shortfall(whole, build_chart(whole, lines));
            const double without = 100.0 * chart_shortfall(at_sight, build_chart(at_sight, lines));
            const bool taken = without <= with + 100.0 * kRecognisableCost;
            std::printf("%-24s %7s %11.6f %11.6f %9.6f %s\n", std::string(name).c_str(),
                        lines == 0 ? "default" : std::to_string(lines).c_str(), with, without,
                        without - with, taken ? "at sight" : "worked out");
        }
    }
}

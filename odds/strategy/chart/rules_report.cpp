#include "odds/strategy/chart/rules_report.h"

#include "odds/strategy/chart/chart_sectioning.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/chart_rules.h"

namespace quillon::odds {

Chart flat_rules_chart(const Tallies& tallies, std::size_t rules, unsigned threads) {
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    Chart chart;
    int number = 0;
    for (const RuleLine& line : generate_rules(tallies, rules, threads)) {
        chart.lines.push_back(ChartLine{
            line.key, pattern_text(line.key, game, profile) + condition_text(line.condition),
            ++number, -1.0, -1, line.condition});
    }
    return chart;
}

ChartReport make_rules_chart(const Tallies& tallies, std::size_t rules, const std::string& game_id,
                             unsigned threads) {
    const Game& game = tallies.game();
    const Chart chart = flat_rules_chart(tallies, rules, threads);
    ChartReport report;
    report.rules = chart.lines.size();
    // Where the game has wild cards the chart is written in sections.
    const Chart written = sectioned_chart(chart, tallies, threads);
    report.chart = read_chart(write_chart(written, game, game_id), "the generated chart", game);
    report.score = score_chart(tallies, report.chart, threads);
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        report.chart.lines[i].share = report.score.share[i];
    }
    return report;
}

}  // namespace quillon::odds

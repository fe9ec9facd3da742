#include "odds/strategy/chart/rules_report.h"

#include "odds/strategy/chart/chart_sectioning.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/chart_rules.h"

namespace quillon::odds {

namespace {

// Two returns per coin closer than this are the same chart's, up to the sums' rounding.
constexpr double kRulesTolerance = 1e-12;

Chart flat_chart(const std::vector<RuleLine>& lines, const Game& game) {
    const RankProfile profile = rank_profile(game);
    Chart chart;
    int number = 0;
    for (const RuleLine& line : lines) {
        chart.lines.push_back(ChartLine{
            line.key, pattern_text(line.key, game, profile) + condition_text(line.condition),
            ++number, -1.0, -1, line.condition});
    }
    return chart;
}

// The flat chart written (in sections where the game has wild cards), read back and scored.
ChartReport written_report(const Tallies& tallies, const Chart& chart, const std::string& game_id,
                           unsigned threads) {
    const Game& game = tallies.game();
    ChartReport report;
    report.rules = chart.lines.size();
    const Chart written = sectioned_chart(chart, tallies, threads);
    report.chart = read_chart(write_chart(written, game, game_id), "the generated chart", game);
    report.score = score_chart(tallies, report.chart, threads);
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        report.chart.lines[i].share = report.score.share[i];
    }
    return report;
}

}  // namespace

Chart flat_rules_chart(const Tallies& tallies, std::size_t rules, unsigned threads) {
    return flat_chart(generate_rules(tallies, rules, threads).lines, tallies.game());
}

ChartReport make_rules_chart(const Tallies& tallies, std::size_t rules, const std::string& game_id,
                             unsigned threads) {
    const Game& game = tallies.game();
    const GeneratedRules found = generate_rules(tallies, rules, threads);
    ChartReport report = written_report(tallies, flat_chart(found.lines, game), game_id, threads);
    // The chart as read is what counts: where it loses more than the plain lines it started
    // from, those are the chart of N rules.
    const ChartCheck& c = report.score.check;
    if (!found.plain.empty() &&
        c.perfect_return() - c.chart_return() > found.plain_shortfall + kRulesTolerance) {
        report = written_report(tallies, flat_chart(found.plain, game), game_id, threads);
    }
    return report;
}

}  // namespace quillon::odds

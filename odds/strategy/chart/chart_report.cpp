#include "odds/strategy/chart/chart_report.h"

#include "odds/strategy/search/strategy_chart.h"

namespace quillon::odds {

ChartReport report_chart(const Tallies& tallies, std::string_view text, const std::string& source,
                         unsigned threads) {
    ChartReport report;
    report.chart = read_chart(text, source, tallies.game());
    report.score = score_chart(tallies, report.chart.keys(), {}, threads);
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        report.chart.lines[i].share = report.score.share[i];
    }
    return report;
}

ChartReport make_strategy_chart(const Tallies& tallies, std::size_t max_lines,
                                const std::string& game_id, unsigned threads) {
    return std::move(
        make_strategy_charts(tallies, std::span(&max_lines, 1), game_id, threads).front());
}

std::vector<ChartReport> make_strategy_charts(const Tallies& tallies,
                                              std::span<const std::size_t> lengths,
                                              const std::string& game_id, unsigned threads) {
    const Game& game = tallies.game();
    std::vector<ChartReport> reports;
    for (const std::vector<PatternKey>& keys : generate_charts(tallies, lengths, threads)) {
        const std::string text = write_chart(chart_of_keys(keys, game), game, game_id);
        reports.push_back(report_chart(tallies, text, "the generated chart", threads));
    }
    return reports;
}

std::string chart_file_text(const ChartReport& report, const Game& game,
                            const std::string& game_id) {
    return write_chart(report.chart, game, game_id);
}

}  // namespace quillon::odds

#include "odds/strategy/chart/chart_report.h"

#include "odds/strategy/chart/chart_sectioning.h"
#include "odds/strategy/search/strategy_chart.h"

namespace quillon::odds {

namespace {

void give_shares(ChartReport& report) {
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        report.chart.lines[i].share = report.score.share[i];
    }
}

}  // namespace

ChartReport report_chart(const Tallies& tallies, std::string_view text, const std::string& source,
                         unsigned threads) {
    ChartReport report;
    report.chart = read_chart(text, source, tallies.game());
    report.score = score_chart(tallies, report.chart, threads);
    give_shares(report);
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
    GeneratedCharts generated = generate_charts_with_table(tallies, lengths, threads);
    std::vector<Chart> read;
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        // Where the game has wild cards the chart is written in sections.
        const Chart written = sectioned_chart(generated.charts[i], game, generated.table);
        const std::string text = write_chart(written, game, game_id);
        ChartReport& report = reports.emplace_back();
        report.chart = read_chart(text, "the generated chart", game);
        report.rules = generated.charts[i].size();
        read.push_back(report.chart);
    }
    // The charts of every length scored in one pass over the deals of the table they came from.
    std::vector<ChartScore> scores = score_charts(tallies, read, generated.table, threads);
    for (std::size_t i = 0; i < reports.size(); ++i) {
        reports[i].score = std::move(scores[i]);
        give_shares(reports[i]);
    }
    return reports;
}

std::string chart_file_text(const ChartReport& report, const Game& game,
                            const std::string& game_id) {
    return write_chart(report.chart, game, game_id);
}

}  // namespace quillon::odds

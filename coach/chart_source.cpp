#include "coach/chart_source.h"

#include <list>
#include <mutex>
#include <utility>

#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_sections.h"

namespace quillon::coach {

namespace {

// The charts this process has built, newest first: a table opened again, or a game chosen again
// in the trainer, has its chart at once. A chart is a few kilobytes; a handful are kept.
constexpr std::size_t kChartsKept = 8;
std::mutex charts_mutex;
std::list<std::pair<odds::Game, CoachChart>> charts_built;

std::optional<CoachChart> chart_built_before(const odds::Game& game) {
    const std::lock_guard lock(charts_mutex);
    for (auto it = charts_built.begin(); it != charts_built.end(); ++it) {
        if (it->first == game) {
            charts_built.splice(charts_built.begin(), charts_built, it);
            return it->second;
        }
    }
    return std::nullopt;
}

void keep_chart(const odds::Game& game, const CoachChart& chart) {
    const std::lock_guard lock(charts_mutex);
    charts_built.emplace_front(game, chart);
    if (charts_built.size() > kChartsKept) {
        charts_built.pop_back();
    }
}

CoachChart build_chart_afresh(const odds::Tallies& tallies) {
    const odds::ChartReport report = odds::make_strategy_chart(tallies, 0, tallies.game().name());
    CoachChart out;
    out.game = tallies.game().name();
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        const odds::ChartLine& line = report.chart.lines[i];
        out.lines.push_back(line.words);
        out.sections.push_back(
            line.section < 0 ? std::string() : section_heading_text(line.section, tallies.game()));
        out.shares.push_back(report.score.share[i]);
    }
    out.chart = report.chart;
    out.chart_return = report.score.check.chart_return();
    out.perfect_return = report.score.check.perfect_return();
    out.worst = report.score.check.worst;
    return out;
}

}  // namespace

// The chart as quillon-odds strategy writes it and reads it back, in the chart language.
CoachChart build_chart(const odds::Tallies& tallies) {
    if (std::optional<CoachChart> chart = chart_built_before(tallies.game())) {
        return *std::move(chart);
    }
    CoachChart chart = build_chart_afresh(tallies);
    keep_chart(tallies.game(), chart);
    return chart;
}

std::optional<DecidingLine> deciding_line(const CoachChart& chart, const odds::Game& game,
                                          const std::array<CardId, 5>& deal) {
    const odds::ChartDecision decision = odds::decide_deal(chart.chart, game, deal);
    if (decision.line == 0) {
        return std::nullopt;
    }
    return DecidingLine{decision.line - 1, decision.hold};
}

}  // namespace quillon::coach

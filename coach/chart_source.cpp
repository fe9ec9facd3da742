#include "coach/chart_source.h"

#include <stdexcept>

#include "odds/strategy/chart_report.h"
#include "odds/strategy/strategy_chart.h"

namespace quillon::coach {

// The chart as quillon-odds strategy writes it and reads it back, in the chart language.
CoachChart build_chart(const odds::Tallies& tallies) {
    const odds::ChartReport report =
        odds::make_strategy_chart(tallies, 0, tallies.game().name(), 2);
    CoachChart out;
    out.game = tallies.game().name();
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        out.lines.push_back(report.chart.lines[i].words);
        out.keys.push_back(report.chart.lines[i].key);
        out.shares.push_back(report.score.share[i]);
    }
    out.chart_return = report.score.check.chart_return();
    out.perfect_return = report.score.check.perfect_return();
    out.worst = report.score.check.worst;
    return out;
}

// The chart's own reader: the first line any hold of the deal shows decides it.
std::optional<DecidingLine> deciding_line(const CoachChart& chart, const odds::Game& game,
                                          const std::array<CardId, 5>& deal) {
    try {
        const odds::ChartPick pick = odds::chart_hold(game, chart.keys, deal);
        return DecidingLine{pick.line, pick.mask};
    } catch (const std::invalid_argument&) {
        return std::nullopt;
    }
}

}  // namespace quillon::coach

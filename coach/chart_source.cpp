#include "coach/chart_source.h"

#include <stdexcept>

#include "odds/strategy/strategy_chart.h"

namespace quillon::coach {

CoachChart build_chart(const odds::Tallies& tallies) {
    const odds::StrategyChart chart = odds::make_strategy_chart(tallies, 0, 2);
    CoachChart out;
    out.game = tallies.game().name();
    for (const odds::StrategyLine& line : chart.lines) {
        out.lines.push_back(line.pattern);
        out.keys.push_back(line.key);
        out.shares.push_back(line.share);
    }
    out.chart_return = chart.check.chart_return();
    out.perfect_return = chart.check.perfect_return();
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

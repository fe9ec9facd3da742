#include "odds/cli/strategy_report.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <numeric>
#include <string>

#include "odds/cli/odds_report.h"

namespace quillon::odds {

namespace {

std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return buffer.data();
}

std::string pad_right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string pad_left(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string fraction(std::uint64_t numerator, std::uint64_t denominator) {
    const std::uint64_t g = std::gcd(numerator, denominator);
    return std::to_string(numerator / g) + "/" + std::to_string(denominator / g);
}

// The widest held cards, "s10 s11 s12 s13 joker"; a column of them is followed by a space.
constexpr std::size_t kHeldWidth = 21;

constexpr std::string_view kSameChart =
    "multi-play: the chart is the one for a single hand; the hands of a round share the deal and "
    "its hold, and a hold's value per hand does not depend on how many hands play it";

double points(const ChartCheck& c) {
    return 100.0 * (c.perfect_return() - c.chart_return());
}

}  // namespace

void print_strategy(std::ostream& out, const Game& game, const StrategyChart& chart, int play) {
    const ChartCheck& c = chart.check;
    out << "game " << game.name() << " (" << game.deck_size() << " cards): a chart of "
        << chart.lines.size() << " lines, derived from the exact holds of " << chart.deal_classes
        << " deal classes\nhold the cards of the first line the deal shows; where a line fits "
           "several holds, keep the one\nthat can make the most straights (a royal's cards "
           "first), then the one with the higher cards\n\n";
    std::size_t width = 20;
    for (const StrategyLine& line : chart.lines) {
        width = std::max(width, line.pattern.size() + 2);
    }
    if (play > 1) {
        std::string text(kSameChart);
        text.replace(text.find("; "), 2, ";\n");
        out << text << " (" << play << " hands a round)\n\n";
    }
    out << pad_left("#", 3) << "  " << pad_right("pattern", width) << pad_left("decides", 10)
        << "\n";
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        out << pad_left(std::to_string(i + 1), 3) << "  "
            << pad_right(chart.lines[i].pattern, width)
            << pad_left(fixed(100.0 * chart.lines[i].share, 4) + "%", 10) << "\n";
    }
    out << "\nplaying by the chart  " << fixed(100.0 * c.chart_return(), 6) << "%  (exactly "
        << fraction(c.chart_pay, c.total * static_cast<std::uint64_t>(c.pay_scale)) << ")\n"
        << "perfect play          " << fixed(100.0 * c.perfect_return(), 6) << "%  (exactly "
        << fraction(c.perfect_pay, c.total * static_cast<std::uint64_t>(c.pay_scale)) << ")\n"
        << "the chart costs       " << fixed(points(c), 6) << " percentage points\n";
    if (c.worst.empty()) {
        out << "\nthe chart plays every deal as well as perfect play\n";
        return;
    }
    out << "\nwhere the chart loses most (a deal class, the deals in it, the chart's hold and the "
           "best, their returns per coin, and the class's cost in points):\n";
    for (const ChartMiss& m : c.worst) {
        std::string deal;
        for (const CardId card : m.cards) {
            deal += deal.empty() ? "" : " ";
            deal += card.text();
        }
        out << "  " << pad_right(deal, 22) << pad_left(std::to_string(m.deals), 3)
            << " deals  line " << pad_left(std::to_string(m.line + 1), 2) << ": "
            << pad_right(held_cards(m.cards, m.chart_hold), kHeldWidth) << " "
            << pad_left(fixed(m.chart_value, 4), 9)
            << "   best: " << pad_right(held_cards(m.cards, m.best_hold), kHeldWidth) << " "
            << pad_left(fixed(m.best_value, 4), 9) << "   " << fixed(100.0 * m.cost, 6) << "\n";
    }
}

void print_strategy_json(std::ostream& out, const Game& game, const StrategyChart& chart,
                         int play) {
    const ChartCheck& c = chart.check;
    nlohmann::json lines = nlohmann::json::array();
    for (const StrategyLine& line : chart.lines) {
        lines.push_back({{"pattern", line.pattern}, {"share", line.share}});
    }
    nlohmann::json worst = nlohmann::json::array();
    for (const ChartMiss& m : c.worst) {
        nlohmann::json deal = nlohmann::json::array();
        for (const CardId card : m.cards) {
            deal.push_back(card.text());
        }
        worst.push_back({{"deal", deal},
                         {"deals", m.deals},
                         {"line", m.line + 1},
                         {"chart_hold", held_cards(m.cards, m.chart_hold)},
                         {"chart_value", m.chart_value},
                         {"best_hold", held_cards(m.cards, m.best_hold)},
                         {"best_value", m.best_value},
                         {"cost", m.cost}});
    }
    nlohmann::json report = {{"game", game.name()},
                             {"deal_classes", chart.deal_classes},
                             {"lines", lines},
                             {"strategy_return", c.chart_return()},
                             {"perfect_return", c.perfect_return()},
                             {"cost_points", points(c)},
                             {"worst", worst}};
    if (play > 1) {
        report["play"] = play;
        report["same_as_one_hand"] = kSameChart;
    }
    out << report.dump(2) << "\n";
}

}  // namespace quillon::odds

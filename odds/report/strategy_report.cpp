#include "odds/report/strategy_report.h"

#include <nlohmann/json.hpp>
#include <string>

#include "odds/report/columns.h"
#include "odds/report/figures.h"
#include "odds/report/odds_report.h"
#include "odds/strategy/chart/chart_sections.h"
#include "odds/strategy/patterns/pattern_words.h"

namespace quillon::odds {

namespace {

// The widest held cards, "s10 s11 s12 s13 joker"; a column of them is followed by a space.
constexpr std::size_t kHeldWidth = 21;

constexpr std::string_view kSameChart =
    "multi-play: the chart is the one for a single hand; the hands of a round share the deal and "
    "its hold, and a hold's value per hand does not depend on how many hands play it";

double points(const ChartCheck& c) {
    return 100.0 * (c.perfect_return() - c.chart_return());
}

std::string deal_text(const std::array<CardId, 5>& cards) {
    std::string deal;
    for (const CardId card : cards) {
        deal += deal.empty() ? "" : " ";
        deal += card.text();
    }
    return deal;
}

nlohmann::json cards_json(const std::array<CardId, 5>& cards, HoldMask mask) {
    nlohmann::json held = nlohmann::json::array();
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            held.push_back(cards[i].text());
        }
    }
    return held;
}

}  // namespace

void print_chart_report(std::ostream& out, const Game& game, const ChartReport& report,
                        const std::string& origin, bool examples, int play) {
    const ChartCheck& c = report.score.check;
    const std::vector<ChartLine>& lines = report.chart.lines;
    out << "game " << game.name() << " (" << game.deck_size() << " cards): a chart of "
        << lines.size() << " lines"
        << (report.chart.lines_read() < lines.size()
                ? " in sections by the wild cards dealt, at most " +
                      std::to_string(report.chart.lines_read()) + " for one deal"
                : std::string())
        << ", " << origin << "\nhold the cards of the first line the deal "
        << "shows; " << kTieRule << "\n";
    if (const std::string high = high_card_text(rank_profile(game)); !high.empty()) {
        out << "high cards: " << high << "\n";
    }
    out << "\n";
    if (play > 1) {
        std::string text(kSameChart);
        text.replace(text.find("; "), 2, ";\n");
        out << text << " (" << play << " hands a round)\n\n";
    }
    std::size_t width = 20;
    for (const ChartLine& line : lines) {
        width = std::max(width, line.words.size() + 2);
    }
    out << pad_left("#", 3) << "  " << pad_right("pattern", width) << pad_left("decides", 10)
        << "\n";
    int section = -1;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].section != section) {
            section = lines[i].section;
            out << "     " << section_heading_text(section, game) << "\n";
        }
        out << pad_left(std::to_string(i + 1), 3) << "  " << pad_right(lines[i].words, width)
            << pad_left(fixed(100.0 * report.score.share[i], 4) + "%", 10) << "\n";
    }
    if (examples) {
        out << "\none deal each line decides, and the cards it keeps:\n";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const ChartExample& e = report.score.examples[i];
            out << pad_left(std::to_string(i + 1), 3) << "  "
                << (e.found
                        ? pad_right(deal_text(e.cards), 24) + "hold " + held_cards(e.cards, e.hold)
                        : std::string("(decides no deal)"))
                << "\n";
        }
    }
    const auto scale = static_cast<Wide>(c.pay_scale);
    out << "\nplaying by the chart  " << fixed(100.0 * c.chart_return(), 6) << "%  (exactly "
        << fraction(c.chart_pay, c.total * scale) << ")\n"
        << "perfect play          " << fixed(100.0 * c.perfect_return(), 6) << "%  (exactly "
        << fraction(c.perfect_pay, c.total * scale) << ")\n"
        << "the chart costs       " << fixed(points(c), 6) << " percentage points\n";
    if (report.score.unmatched > 0) {
        out << "no line matches " << report.score.unmatched << " deals; they are discarded whole\n";
    }
    if (c.worst.empty()) {
        out << "\nthe chart plays every deal as well as perfect play\n";
        return;
    }
    out << "\nwhere the chart loses most (a deal class, the deals in it, the chart's hold and the "
           "best, their returns per coin, and the class's cost in points):\n";
    for (const ChartMiss& m : c.worst) {
        const std::string line =
            m.line < lines.size() ? "line " + pad_left(std::to_string(m.line + 1), 2) : "no line";
        out << "  " << pad_right(deal_text(m.cards), 22) << pad_left(std::to_string(m.deals), 3)
            << " deals  " << line << ": "
            << pad_right(held_cards(m.cards, m.chart_hold), kHeldWidth) << " "
            << pad_left(fixed(m.chart_value, 4), 9)
            << "   best: " << pad_right(held_cards(m.cards, m.best_hold), kHeldWidth) << " "
            << pad_left(fixed(m.best_value, 4), 9) << "   " << fixed(100.0 * m.cost, 6) << "\n";
    }
}

void print_chart_json(std::ostream& out, const Game& game, const ChartReport& report, bool examples,
                      int play) {
    const ChartCheck& c = report.score.check;
    nlohmann::json lines = nlohmann::json::array();
    for (std::size_t i = 0; i < report.chart.lines.size(); ++i) {
        nlohmann::json line = {{"pattern", report.chart.lines[i].words},
                               {"share", report.score.share[i]}};
        if (report.chart.lines[i].section >= 0) {
            line["section"] = section_text(report.chart.lines[i].section, game);
        }
        const ChartExample& e = report.score.examples[i];
        if (examples && e.found) {
            nlohmann::json deal = nlohmann::json::array();
            for (const CardId card : e.cards) {
                deal.push_back(card.text());
            }
            line["example"] = {{"deal", deal}, {"hold", cards_json(e.cards, e.hold)}};
        }
        lines.push_back(line);
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
    nlohmann::json json = {{"game", game.name()},
                           {"deal_classes", report.score.deal_classes},
                           {"lines", lines},
                           {"tie_rule", kTieRule},
                           {"strategy_return", c.chart_return()},
                           {"perfect_return", c.perfect_return()},
                           {"cost_points", points(c)},
                           {"unmatched_deals", report.score.unmatched},
                           {"worst", worst}};
    if (report.rules > 0) {
        json["rules"] = report.rules;
    }
    if (play > 1) {
        json["play"] = play;
        json["same_as_one_hand"] = kSameChart;
    }
    out << json.dump(2) << "\n";
}

void print_decision(std::ostream& out, const std::array<CardId, 5>& deal,
                    const ChartDecision& decision) {
    if (decision.line == 0) {
        out << deal_text(deal) << ": no line matches; the deal is discarded whole\n";
        return;
    }
    out << deal_text(deal) << ": line " << decision.line << ", " << decision.words << "\nhold "
        << held_cards(deal, decision.hold) << "\n";
}

void print_decision_json(std::ostream& out, const std::array<CardId, 5>& deal,
                         const ChartDecision& decision) {
    nlohmann::json cards = nlohmann::json::array();
    for (const CardId card : deal) {
        cards.push_back(card.text());
    }
    nlohmann::json json = {{"deal", cards}, {"hold", cards_json(deal, decision.hold)}};
    json["line"] = decision.line == 0 ? nlohmann::json(nullptr) : nlohmann::json(decision.line);
    json["pattern"] = decision.line == 0 ? nlohmann::json(nullptr) : nlohmann::json(decision.words);
    out << json.dump(2) << "\n";
}

}  // namespace quillon::odds

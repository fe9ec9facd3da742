#include "odds/cli/ultimate_x_command.h"

#include <algorithm>
#include <iomanip>
#include <map>
#include <sstream>

#include <nlohmann/json.hpp>

#include "base/combinatorics.h"
#include "odds/known/known_ultimate_x.h"
#include "odds/play/fast_classifier.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"
#include "odds/play/ultimate_x.h"
#include "odds/report/odds_report.h"
#include "odds/strategy/patterns/hold_pattern.h"
#include "odds/strategy/patterns/pattern_words.h"

namespace quillon::odds {

namespace {

std::string percent(double x, int places = 4) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(places) << 100 * x << "%";
    return s.str();
}

std::string fixed(double x, int places) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(places) << x;
    return s.str();
}

std::string counts_text(const Game& game) {
    std::string text;
    for (const MultiplierTable& t : game.multiplier_tables()) {
        text += (text.empty() ? "" : ", ") + std::to_string(t.lines);
    }
    return text;
}

// The game and its table for --ultimate-x N, the rest of the command line checked.
std::pair<Game, MultiplierTable> ultimate_x_game(const Command& command) {
    if (command.coins) {
        throw CliError("--ultimate-x plays the full bet doubled: it takes no --coins");
    }
    if (command.play) {
        throw CliError("--ultimate-x already plays several lines: it takes no --play");
    }
    Game game = load_game(command);
    const int lines = *command.ultimate_x;
    const MultiplierTable* table = game.multipliers_for(lines);
    if (table == nullptr) {
        throw CliError(game.multiplier_tables().empty()
                           ? game.name() + " has no Ultimate X multipliers"
                           : game.name() + " is not played on " + std::to_string(lines) +
                                 " Ultimate X lines (its line counts: " + counts_text(game) + ")");
    }
    const MultiplierTable copy = *table;
    return {std::move(game), copy};
}

UltimateXSolution solution_for(const Command& command, const Game& game,
                               const MultiplierTable& table, bool policy) {
    if (!policy) {
        if (auto known = known_ultimate_x(command.game.value_or("quillon"), game, table.lines)) {
            return *std::move(known);
        }
    }
    return solve_ultimate_x(Tallies(game), table);
}

nlohmann::ordered_json multipliers_json(const Game& game, const MultiplierTable& table) {
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        rows.push_back({{"hand", game.rows()[r].label}, {"multiplier", table.earned[r]}});
    }
    return rows;
}

// "NAME, Ultimate X on 3 lines": how each text report opens.
std::string heading(const Game& game, const MultiplierTable& table) {
    return game.name() + ", Ultimate X on " + std::to_string(table.lines) +
           (table.lines == 1 ? " line" : " lines");
}

void print_multipliers(std::ostream& out, const Game& game, const MultiplierTable& table) {
    out << "Multiplier a line earns for its next hand:\n";
    for (std::size_t r = 0; r < game.row_count(); ++r) {
        out << "  " << std::left << std::setw(28) << game.rows()[r].label << std::right
            << table.earned[r] << "X\n";
    }
}

}  // namespace

int run_ultimate_x_return(const Command& command, std::ostream& out) {
    const auto [game, table] = ultimate_x_game(command);
    const UltimateXSolution s = solution_for(command, game, table, false);
    if (command.json) {
        nlohmann::ordered_json states = nlohmann::ordered_json::array();
        for (int t = s.least_total; t <= s.most_total; ++t) {
            if (total_is_reachable(table, t)) {
                states.push_back(
                    {{"total", t}, {"chance", s.chance_at(t)}, {"value", s.value_at(t)}});
            }
        }
        nlohmann::ordered_json report{{"game", game.name()},
                                      {"lines", table.lines},
                                      {"bet_per_line", kUltimateXBet},
                                      {"multipliers", multipliers_json(game, table)},
                                      {"perfect_return", s.perfect_return},
                                      {"single_strategy_return", s.plain_return},
                                      {"rule_of_thumb_return", s.thumb_return},
                                      {"gain", s.gain},
                                      {"gain_error", s.gain_error},
                                      {"average_multiplier", s.average_multiplier},
                                      {"hit_frequency", s.hit_frequency},
                                      {"standard_deviation", s.round_deviation},
                                      {"states", states}};
        out << report.dump(2) << "\n";
        return 0;
    }
    out << heading(game, table)
        << ": each line bets twice the base bet, and its pay times the multiplier it carries.\n";
    print_multipliers(out, game, table);
    out << "Return per coin bet:\n"
        << "  perfect play         " << percent(s.perfect_return)
        << "  holds chosen by the multipliers' total T\n"
        << "  single strategy      " << percent(s.plain_return)
        << "  the plain game's best holds, multipliers ignored\n"
        << "  rule of thumb        " << percent(s.thumb_return)
        << "  win plus the plain return for each multiplier step earned\n"
        << "Perfect play is worth " << percent(s.perfect_return - s.plain_return)
        << " over the single strategy and " << percent(s.perfect_return - s.thumb_return)
        << " over the rule of thumb.\n"
        << "In the long run: average multiplier " << fixed(s.average_multiplier, 5)
        << ", hit frequency " << percent(s.hit_frequency, 3) << " of lines, standard deviation "
        << fixed(s.round_deviation, 3) << " base bets a round (win " << fixed(s.gain, 6)
        << " of a bet of " << kUltimateXBet * table.lines << ").\n"
        << "The gain is known to " << std::setprecision(2) << std::scientific << s.gain_error
        << std::defaultfloat << " base bets a round.\n"
        << "Multiplier total T: share of rounds, and V(T), its value in base bets over T = "
        << table.lines << ":\n";
    for (int t = s.least_total; t <= s.most_total; ++t) {
        if (total_is_reachable(table, t)) {
            out << "  " << std::setw(4) << t << "  " << std::setw(10) << percent(s.chance_at(t), 5)
                << "  " << std::setw(12) << fixed(s.value_at(t), 6) << "\n";
        }
    }
    return 0;
}

int run_ultimate_x_hand(const Command& command, std::ostream& out) {
    const auto [game, table] = ultimate_x_game(command);
    const std::array<CardId, 5> deal = parse_deal(command.cards, game);
    const MultiplierTotal given = command.multiplier
                                      ? read_multiplier_total(*command.multiplier, table)
                                      : MultiplierTotal{table.lines, ""};
    if (!given.error.empty()) {
        throw CliError("--multiplier: " + given.error);
    }
    const UltimateXSolution s = solution_for(command, game, table, false);
    const FastClassifier classifier(game);
    const std::vector<UltimateXHold> holds =
        rank_ultimate_x_holds(s, game, classifier, deal, given.total);
    if (command.json) {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (std::size_t i = 0; i < holds.size(); ++i) {
            const UltimateXHold& h = holds[i];
            list.push_back({{"held", held_cards(deal, h.mask)},
                            {"full_value", h.full_value()},
                            {"win", h.win},
                            {"multiplier_value", h.multiplier_value},
                            {"plain_value", h.plain_value},
                            {"plain_rank", h.plain_rank + 1},
                            {"departs_from_plain", h.plain_rank != static_cast<int>(i)}});
        }
        nlohmann::ordered_json report{{"game", game.name()},
                                      {"lines", table.lines},
                                      {"multiplier_total", given.total},
                                      {"holds", list}};
        out << report.dump(2) << "\n";
        return 0;
    }
    out << heading(game, table) << ", multiplier total T = " << given.total
        << ": the holds by full value (this hand's win plus the value of the "
        << "multipliers it leaves), in base bets of one line; * where plain play ranks the hold "
        << "elsewhere.\n"
        << "   #  held                      full value         win   multipliers   plain   "
           "plain #\n";
    for (std::size_t i = 0; i < holds.size(); ++i) {
        const UltimateXHold& h = holds[i];
        std::string held = held_cards(deal, h.mask);
        out << (h.plain_rank != static_cast<int>(i) ? " *" : "  ") << std::setw(2) << i + 1 << "  "
            << std::left << std::setw(22) << (held.empty() ? "none" : held) << std::right
            << std::setw(14) << fixed(h.full_value(), 6) << std::setw(12) << fixed(h.win, 6)
            << std::setw(14) << fixed(h.multiplier_value, 6) << std::setw(10)
            << fixed(h.plain_value, 6) << std::setw(9) << h.plain_rank + 1 << "\n";
    }
    return 0;
}

int run_ultimate_x_strategy(const Command& command, std::ostream& out) {
    const auto [game, table] = ultimate_x_game(command);
    const Tallies tallies(game);
    const UltimateXSolution s = solve_ultimate_x(tallies, table);
    const RankProfile profile = rank_profile(game);
    const std::vector<DealClass> classes = deal_classes(game.jokers());
    struct Departure {
        std::string perfect;
        std::string plain;
        int from = 0;
        int to = 0;
        double share = 0;  // of all rounds, under perfect play
    };
    std::map<std::pair<std::string, std::string>, Departure> found;
    double all = 0;
    for (const DealClass& c : classes) {
        all += c.weight;
    }
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const SortedDeal sorted(classes[i].cards);
        HoldValues values;
        value_holds(tallies, sorted, values);
        const HoldMask plain = best_hold(tallies, sorted, values);
        std::array<CardId, 5> cards{};
        for (std::size_t k = 0; k < 5; ++k) {
            cards[k] = deck_card(classes[i].cards[k], game.has_joker());
        }
        for (std::uint32_t st = s.step_start[i]; st < s.step_start[i + 1]; ++st) {
            const PolicyStep& step = s.steps[st];
            if (step.hold == plain) {
                continue;
            }
            const int to =
                st + 1 < s.step_start[i + 1] ? s.steps[st + 1].from_total - 1 : s.most_total;
            double share = 0;
            for (int t = step.from_total; t <= to; ++t) {
                share += s.chance_at(t);
            }
            const HoldPatterns mine = patterns_of(game, profile, cards, step.hold);
            const HoldPatterns theirs = patterns_of(game, profile, cards, plain);
            const std::string perfect = pattern_text(*(mine.end() - 1), game, profile);
            const std::string plain_text = pattern_text(*(theirs.end() - 1), game, profile);
            Departure& d = found[{perfect, plain_text}];
            if (d.share == 0) {
                d = Departure{perfect, plain_text, step.from_total, to, 0};
            }
            d.from = std::min(d.from, step.from_total);
            d.to = std::max(d.to, to);
            d.share += share * classes[i].weight / all;
        }
    }
    std::vector<Departure> list;
    for (const auto& [key, d] : found) {
        list.push_back(d);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const Departure& a, const Departure& b) { return a.share > b.share; });
    if (command.lines && list.size() > static_cast<std::size_t>(*command.lines)) {
        list.resize(static_cast<std::size_t>(*command.lines));
    }
    const double cost = s.perfect_return - s.plain_return;
    if (command.json) {
        nlohmann::ordered_json lines = nlohmann::ordered_json::array();
        for (const Departure& d : list) {
            lines.push_back({{"from_total", d.from},
                             {"to_total", d.to},
                             {"hold", d.perfect},
                             {"instead_of", d.plain},
                             {"share_of_rounds", d.share}});
        }
        out << nlohmann::ordered_json{{"game", game.name()},
                                      {"lines", table.lines},
                                      {"perfect_return", s.perfect_return},
                                      {"plain_chart_return", s.plain_return},
                                      {"plain_chart_costs", cost},
                                      {"departures", lines}}
                   .dump(2)
            << "\n";
        return 0;
    }
    out << heading(game, table)
        << ": where perfect play departs from the plain game's best holds, by the "
           "multipliers' total T, the most often met first.\n"
        << "Playing the plain game's best holds returns " << percent(s.plain_return)
        << " against perfect play's " << percent(s.perfect_return) << ": it costs " << percent(cost)
        << ".\n";
    for (const Departure& d : list) {
        out << "  with T "
            << (d.to >= s.most_total ? "of " + std::to_string(d.from) + " or more"
                : d.to == d.from     ? "at " + std::to_string(d.from)
                                 : "from " + std::to_string(d.from) + " to " + std::to_string(d.to))
            << ", hold " << d.perfect << " over " << d.plain << " (" << percent(d.share, 4)
            << " of rounds)\n";
    }
    return 0;
}

}  // namespace quillon::odds

#include "trainer/drill/drill_deals.h"

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "base/combinatorics.h"
#include "base/stop.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"
#include "odds/strategy/patterns/deal_patterns.h"

namespace quillon::trainer {

namespace {

// A hold's share of the best hold's value under which it counts as a close call.
constexpr double kCloseCall = 0.9;

CardId read_card(const std::string& text, const std::string& where) {
    const std::optional<CardId> card = CardId::parse(text);
    if (!card) {
        throw std::runtime_error(where + ": \"" + text + "\" is not a card");
    }
    return *card;
}

std::array<CardId, 5> read_deal(const std::vector<std::string>& words, const std::string& where) {
    if (words.size() != 5) {
        throw std::runtime_error(where + ": a deal of " + std::to_string(words.size()) + " cards");
    }
    std::array<CardId, 5> deal{};
    for (std::size_t i = 0; i < 5; ++i) {
        deal[i] = read_card(words[i], where);
    }
    return deal;
}

std::vector<std::string> split(const std::string& text, char by) {
    std::vector<std::string> out;
    std::string word;
    std::istringstream in(text);
    while (std::getline(in, word, by)) {
        if (by != ' ' || !word.empty()) {
            out.push_back(word);
        }
    }
    return out;
}

std::string file_name(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

DrillDeal mistake(const std::array<CardId, 5>& deal, double cost, int bet, const std::string& hand,
                  const std::string& where) {
    DrillDeal d;
    d.deal = deal;
    d.weight = bet > 0 ? cost / bet : cost;
    d.origin = "hand " + hand + " of " + where;
    return d;
}

std::vector<DrillDeal> json_mistakes(const std::string& text, const std::string& name) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object() || !json.contains("hands") ||
        !json["hands"].is_array()) {
        throw std::runtime_error(name + ": not a session the coach saved");
    }
    std::vector<DrillDeal> out;
    for (const nlohmann::json& h : json["hands"]) {
        const std::string hand = std::to_string(h.value("hand", 0));
        const std::string where = name + ", hand " + hand;
        if (!h.contains("deal") || !h["deal"].is_array() || !h.contains("cost")) {
            throw std::runtime_error(where + ": no deal or no cost");
        }
        const double cost = h["cost"].get<double>();
        if (cost <= 0.0) {
            continue;
        }
        const std::array<CardId, 5> deal =
            read_deal(h["deal"].get<std::vector<std::string>>(), where);
        out.push_back(mistake(deal, cost, h.value("bet", 0), hand, name));
    }
    return out;
}

std::vector<DrillDeal> csv_mistakes(const std::string& text, const std::string& name) {
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);
    const std::vector<std::string> header = split(line, ',');
    const auto column = [&](const char* title) {
        const auto it = std::find(header.begin(), header.end(), title);
        if (it == header.end()) {
            throw std::runtime_error(name + ": not a session the coach saved (no " +
                                     std::string(title) + " column)");
        }
        return static_cast<std::size_t>(it - header.begin());
    };
    const std::size_t hand_at = column("hand");
    const std::size_t deal_at = column("deal");
    const std::size_t bet_at = column("bet");
    const std::size_t cost_at = column("cost");
    std::vector<DrillDeal> out;
    while (std::getline(in, line)) {
        if (line.empty()) {
            continue;
        }
        const std::vector<std::string> cells = split(line, ',');
        const std::string where = name + ", line " + std::to_string(out.size() + 2);
        if (cells.size() < header.size()) {
            throw std::runtime_error(where + ": too few cells");
        }
        const double cost = std::stod(cells[cost_at]);
        if (cost <= 0.0) {
            continue;
        }
        out.push_back(mistake(read_deal(split(cells[deal_at], ' '), where), cost,
                              std::stoi(cells[bet_at]), cells[hand_at], name));
    }
    return out;
}

}  // namespace

std::vector<DrillDeal> session_mistakes(const coach::Session& session) {
    std::vector<DrillDeal> out;
    for (const coach::HandRecord& h : session.hands()) {
        if (!h.best_hold()) {
            out.push_back(
                mistake(h.deal, h.cost, h.coins, std::to_string(h.number), "this session"));
        }
    }
    return out;
}

std::vector<DrillDeal> session_file_mistakes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error(path + ": cannot be read");
    }
    std::ostringstream text;
    text << in.rdbuf();
    const std::string name = file_name(path);
    const std::string body = text.str();
    const std::size_t first = body.find_first_not_of(" \t\r\n");
    try {
        return first != std::string::npos && body[first] == '{' ? json_mistakes(body, name)
                                                                : csv_mistakes(body, name);
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(name + ": " + e.what());
    } catch (const std::logic_error& e) {
        // std::stod and std::stoi on a cell that is no number.
        throw std::runtime_error(name + ": a cell that is no number");
    }
}

std::vector<DrillDeal> hardest_deals(const odds::Tallies& tallies, const coach::CoachChart* chart,
                                     std::size_t count) {
    const odds::Game& game = tallies.game();
    const bool joker = game.has_joker();
    const int left = tallies.deck_size() - 5;
    const double all = static_cast<double>(odds::choose(tallies.deck_size(), 5));
    std::array<double, 6> per_draw{};
    for (int kept = 0; kept <= 5; ++kept) {
        per_draw[static_cast<std::size_t>(kept)] =
            1.0 / (static_cast<double>(odds::choose(left, 5 - kept)) *
                   static_cast<double>(game.pay_scale()));
    }
    const auto one_in = [all](double deals) {
        return "one deal in " + std::to_string(static_cast<long long>(all / deals + 0.5));
    };
    std::vector<DrillDeal> out;
    if (chart != nullptr) {
        for (const odds::ChartMiss& m : chart->worst) {
            DrillDeal d;
            d.deal = m.cards;
            d.weight = m.cost;
            d.origin = "the chart plays it worst (line " + std::to_string(m.line + 1) + "), " +
                       one_in(m.deals);
            out.push_back(std::move(d));
        }
    }
    odds::HoldValues values;
    const std::stop_token stop = odds::current_stop();
    for (const odds::DealClass& c : odds::deal_classes(game.jokers())) {
        // A window closed, or another game chosen, calls the search off.
        odds::stop_point(stop);
        const odds::SortedDeal sorted(c.cards);
        odds::value_holds(tallies, sorted, values);
        double best = 0.0;
        double second = 0.0;
        for (unsigned m = 0; m < odds::kHoldCount; ++m) {
            const double v = static_cast<double>(values[m]) * per_draw[odds::kHoldSize[m]];
            if (v > best) {
                second = best;
                best = v;
            } else if (v > second) {
                second = v;
            }
        }
        if (best <= second || second < kCloseCall * best) {
            continue;
        }
        DrillDeal d;
        d.deal = odds::class_cards(c, joker);
        d.weight = (best - second) * c.weight / all;
        d.origin = "a close call, " + one_in(c.weight);
        out.push_back(std::move(d));
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const DrillDeal& a, const DrillDeal& b) { return a.weight > b.weight; });
    // A chart's miss may be a close call too: each class once.
    std::vector<DrillDeal> kept;
    std::vector<std::array<int, 5>> keys;
    for (DrillDeal& d : out) {
        if (kept.size() == count) {
            break;
        }
        const std::array<int, 5> key = deal_key(d.deal);
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) {
            keys.push_back(key);
            kept.push_back(std::move(d));
        }
    }
    return kept;
}

std::array<CardId, 5> disguised(const std::array<CardId, 5>& deal, std::mt19937_64& random) {
    std::array<int, 4> suits{0, 1, 2, 3};
    std::shuffle(suits.begin(), suits.end(), random);
    std::array<CardId, 5> out{};
    for (std::size_t i = 0; i < 5; ++i) {
        const CardId c = deal[i];
        out[i] = c.is_joker()
                     ? c
                     : CardId::of(static_cast<Suit>(suits[static_cast<std::size_t>(c.suit())]),
                                  c.rank());
    }
    std::shuffle(out.begin(), out.end(), random);
    return out;
}

}  // namespace quillon::trainer

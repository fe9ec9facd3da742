#include "coach/ultimate_x_session.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>

#include "base/regular_file.h"
#include "coach/session_cells.h"

namespace quillon::coach {

namespace {

// A session file is a few hundred bytes a hand; anything past this is not one.
constexpr std::uintmax_t kLargestSession = 64u << 20;

[[noreturn]] void refuse(const std::string& why) {
    throw std::runtime_error(why);
}

// The hold a list of the deal's cards names, each card once.
odds::HoldMask mask_from(const nlohmann::json& cards, const std::array<CardId, 5>& deal, int hand) {
    if (!cards.is_array() || cards.size() > 5) {
        refuse("hand " + std::to_string(hand) + ": a hold is a list of the deal's cards");
    }
    odds::HoldMask mask = 0;
    for (const nlohmann::json& c : cards) {
        const auto card = c.is_string() ? CardId::parse(c.get<std::string>()) : std::nullopt;
        std::size_t slot = 0;
        while (card && slot < 5 && (deal[slot] != *card || (mask & (1u << slot)) != 0)) {
            ++slot;
        }
        if (!card || slot == 5) {
            refuse("hand " + std::to_string(hand) + ": " + c.dump() + " is not a card of the deal");
        }
        mask = static_cast<odds::HoldMask>(mask | (1u << slot));
    }
    return mask;
}

double finite(const nlohmann::json& value, const char* name, int hand) {
    if (!value.is_number() || !std::isfinite(value.get<double>())) {
        refuse("hand " + std::to_string(hand) + ": " + name + " is not a number");
    }
    return value.get<double>();
}

}  // namespace

UltimateXScore UltimateXSession::score() const {
    UltimateXScore s;
    for (const UltimateXHand& h : hands) {
        ++s.hands;
        s.mistakes += h.cost > 0.0 ? 1 : 0;
        s.held_value += h.held_value;
        s.best_value += h.best_value;
    }
    return s;
}

std::string ultimate_x_session_csv(const UltimateXSession& session) {
    std::string out = "hand,deal,multiplier_total,hold,best_hold,hold_value,best_value,cost\n";
    const auto coins = static_cast<double>(session.coins);
    for (const UltimateXHand& h : session.hands) {
        out += std::to_string(h.number) + "," + cards_text(h.deal) + "," + std::to_string(h.total) +
               "," + cards_text(h.deal, h.hold) + "," + cards_text(h.deal, h.best) + "," +
               number(coins * h.held_value) + "," + number(coins * h.best_value) + "," +
               number(coins * h.cost) + "\n";
    }
    return out;
}

std::string ultimate_x_session_json(const UltimateXSession& session) {
    nlohmann::json hands = nlohmann::json::array();
    for (const UltimateXHand& h : session.hands) {
        hands.push_back({{"hand", h.number},
                         {"deal", cards_json(h.deal)},
                         {"multiplier_total", h.total},
                         {"hold", cards_json(h.deal, h.hold)},
                         {"best_hold", cards_json(h.deal, h.best)},
                         {"hold_value", h.held_value},
                         {"best_value", h.best_value},
                         {"cost", h.cost}});
    }
    const UltimateXScore s = session.score();
    nlohmann::json out = {{"ultimate_x", true},
                          {"game", session.game},
                          {"lines", session.lines},
                          {"bet", session.coins},
                          {"values_in", "base bets"},
                          {"hands", std::move(hands)},
                          {"totals",
                           {{"hands", s.hands},
                            {"mistakes", s.mistakes},
                            {"accuracy_percent", s.accuracy()},
                            {"cost", s.cost()}}}};
    return out.dump(2) + "\n";
}

UltimateXSession read_ultimate_x_session(const std::string& json) {
    const nlohmann::json j = nlohmann::json::parse(json, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
        refuse("not a session the coach saved (not JSON)");
    }
    if (!j.contains("ultimate_x") || j["ultimate_x"] != true) {
        refuse("not an Ultimate X session");
    }
    UltimateXSession s;
    const auto& game = j.value("game", nlohmann::json());
    const auto& lines = j.value("lines", nlohmann::json());
    const auto& coins = j.value("bet", nlohmann::json());
    if (!game.is_string() || !lines.is_number_integer() || !coins.is_number_integer() ||
        !j.contains("hands") || !j["hands"].is_array()) {
        refuse("the session has no game, lines, bet or hands");
    }
    s.game = game.get<std::string>();
    s.lines = lines.get<int>();
    s.coins = coins.get<int>();
    if (s.lines < 1 || s.lines > odds::kMostUltimateXLines || s.coins < 1) {
        refuse("the session's lines or bet are out of range");
    }
    int number = 0;
    for (const nlohmann::json& h : j["hands"]) {
        ++number;
        if (!h.is_object() || !h.contains("deal") || !h["deal"].is_array() ||
            h["deal"].size() != 5) {
            refuse("hand " + std::to_string(number) + ": no deal of five cards");
        }
        UltimateXHand hand;
        hand.number = h.value("hand", number);
        for (std::size_t i = 0; i < 5; ++i) {
            const auto card = h["deal"][i].is_string()
                                  ? CardId::parse(h["deal"][i].get<std::string>())
                                  : std::nullopt;
            if (!card) {
                refuse("hand " + std::to_string(number) + ": " + h["deal"][i].dump() +
                       " is not a card");
            }
            hand.deal[i] = *card;
        }
        const auto& total = h.value("multiplier_total", nlohmann::json());
        if (!total.is_number_integer() || total.get<int>() < s.lines ||
            total.get<int>() > s.lines * odds::kMostMultiplier) {
            refuse("hand " + std::to_string(number) + ": no multiplier total for " +
                   std::to_string(s.lines) + " lines");
        }
        hand.total = total.get<int>();
        hand.hold = mask_from(h.value("hold", nlohmann::json()), hand.deal, number);
        hand.best = mask_from(h.value("best_hold", nlohmann::json()), hand.deal, number);
        hand.held_value = finite(h.value("hold_value", nlohmann::json()), "hold_value", number);
        hand.best_value = finite(h.value("best_value", nlohmann::json()), "best_value", number);
        hand.cost = finite(h.value("cost", nlohmann::json()), "cost", number);
        if (hand.cost < 0.0) {
            refuse("hand " + std::to_string(number) + ": a negative cost");
        }
        s.hands.push_back(hand);
    }
    return s;
}

bool save_ultimate_x_session(const UltimateXSession& session, const std::string& base) {
    const bool csv = !write_regular_file(base + ".csv", ultimate_x_session_csv(session));
    const bool json = !write_regular_file(base + ".json", ultimate_x_session_json(session));
    return csv && json;
}

UltimateXSession load_ultimate_x_session(const std::string& path) {
    std::string file = path;
    if (file.ends_with(".csv")) {
        file.replace(file.size() - 4, 4, ".json");
    }
    auto text = read_regular_file(file, kLargestSession);
    if (const auto* problem = std::get_if<FileProblem>(&text)) {
        refuse("the file " + file + " " + problem->reason);
    }
    return read_ultimate_x_session(std::get<std::string>(text));
}

}  // namespace quillon::coach

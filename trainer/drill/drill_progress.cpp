#include "trainer/drill/drill_progress.h"

#include <nlohmann/json.hpp>
#include <stdexcept>

namespace quillon::trainer {

namespace {

constexpr const char* kFormat = "quillon-drill 1";

}  // namespace

std::string progress_json(const DrillProgress& progress) {
    nlohmann::json deals = nlohmann::json::array();
    for (const DrillDeal& d : progress.schedule.deals()) {
        nlohmann::json cards = nlohmann::json::array();
        for (const CardId c : d.deal) {
            cards.push_back(c.text());
        }
        deals.push_back({{"deal", std::move(cards)},
                         {"weight", d.weight},
                         {"origin", d.origin},
                         {"streak", d.streak},
                         {"due", d.due},
                         {"answers", d.answers},
                         {"missed", d.missed}});
    }
    const nlohmann::json out = {{"format", kFormat},
                                {"game", progress.game},
                                {"bet", progress.coins},
                                {"needed", progress.schedule.needed()},
                                {"turn", progress.schedule.turn()},
                                {"deals", std::move(deals)}};
    return out.dump(2) + "\n";
}

DrillProgress progress_from_json(const std::string& text) {
    const nlohmann::json json = nlohmann::json::parse(text, nullptr, false);
    if (json.is_discarded() || !json.is_object() || json.value("format", "") != kFormat) {
        throw std::runtime_error("not a drill Quillon saved");
    }
    try {
        DrillProgress out{json.at("game").get<std::string>(), json.at("bet").get<int>(),
                          DrillSchedule(json.at("needed").get<int>())};
        if (out.coins < 1 || out.coins > 10 || out.schedule.needed() < 1) {
            throw std::runtime_error("a bet or a count out of range");
        }
        std::vector<DrillDeal> deals;
        for (const nlohmann::json& d : json.at("deals")) {
            DrillDeal deal;
            const auto cards = d.at("deal").get<std::vector<std::string>>();
            if (cards.size() != 5) {
                throw std::runtime_error("a deal of " + std::to_string(cards.size()) + " cards");
            }
            for (std::size_t i = 0; i < 5; ++i) {
                const std::optional<CardId> card = CardId::parse(cards[i]);
                if (!card) {
                    throw std::runtime_error("\"" + cards[i] + "\" is not a card");
                }
                deal.deal[i] = *card;
            }
            deal.weight = d.at("weight").get<double>();
            deal.origin = d.at("origin").get<std::string>();
            deal.streak = d.at("streak").get<int>();
            deal.due = d.at("due").get<int>();
            deal.answers = d.at("answers").get<int>();
            deal.missed = d.at("missed").get<int>();
            deals.push_back(std::move(deal));
        }
        out.schedule.restore(std::move(deals), json.at("turn").get<int>());
        return out;
    } catch (const nlohmann::json::exception& e) {
        throw std::runtime_error(std::string("a drill file with a missing or wrong field: ") +
                                 e.what());
    }
}

}  // namespace quillon::trainer

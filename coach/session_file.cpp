#include "coach/session_file.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "base/regular_file.h"
#include "coach/session_cells.h"

namespace quillon::coach {

namespace {

// A FIFO or a device given as the file is refused rather than waited on or written to.
bool write_file(const std::string& path, const std::string& text) {
    return !write_regular_file(path, text).has_value();
}

}  // namespace

std::string session_csv(const Session& session) {
    std::string out =
        "hand,deal,bet,hold,best_hold,hold_value,best_value,cost,final_hand,final_name,paid\n";
    for (const HandRecord& h : session.hands()) {
        out += std::to_string(h.number) + "," + cards_text(h.deal) + "," + std::to_string(h.coins) +
               "," + cards_text(h.deal, h.hold) + "," + cards_text(h.deal, h.best) + "," +
               number(h.hold_value) + "," + number(h.best_value) + "," + number(h.cost) + "," +
               cards_text(h.final_hand) + "," + h.final_name + "," + number(h.paid) + "\n";
    }
    return out;
}

std::string session_json(const Session& session) {
    nlohmann::json hands = nlohmann::json::array();
    for (const HandRecord& h : session.hands()) {
        hands.push_back({{"hand", h.number},
                         {"deal", cards_json(h.deal)},
                         {"bet", h.coins},
                         {"hold", cards_json(h.deal, h.hold)},
                         {"best_hold", cards_json(h.deal, h.best)},
                         {"hold_value", h.hold_value},
                         {"best_value", h.best_value},
                         {"cost", h.cost},
                         {"final_hand", cards_json(h.final_hand)},
                         {"final_name", h.final_name},
                         {"paid", h.paid}});
    }
    const SessionTotals& t = session.totals();
    nlohmann::json totals = {{"hands", t.hands},
                             {"best_holds", t.best_holds},
                             {"mistakes", t.mistakes},
                             {"cost", t.cost},
                             {"accuracy_percent", t.accuracy()},
                             {"bet", t.bet},
                             {"paid", t.paid},
                             {"expected_net", t.expected_net()},
                             {"perfect_net", t.perfect_net()},
                             {"actual_net", t.actual_net()},
                             {"luck_sd", t.luck()}};
    nlohmann::json out = {{"starting_credit", session.starting_credit()},
                          {"hands", std::move(hands)},
                          {"totals", std::move(totals)}};
    return out.dump(2) + "\n";
}

bool save_session(const Session& session, const std::string& base) {
    const bool csv = write_file(base + ".csv", session_csv(session));
    const bool json = write_file(base + ".json", session_json(session));
    return csv && json;
}

}  // namespace quillon::coach

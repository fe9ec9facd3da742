#include "coach/session.h"

#include <cmath>

namespace quillon::coach {

double SessionTotals::accuracy() const {
    return best_value > 0.0 ? 100.0 * hold_value / best_value : 100.0;
}

double SessionTotals::luck() const {
    return variance > 0.0 ? (paid - hold_value) / std::sqrt(variance) : 0.0;
}

void Session::add(HandRecord record) {
    record.number = static_cast<int>(hands_.size()) + 1;
    SessionTotals& t = totals_;
    ++t.hands;
    if (record.best_hold()) {
        ++t.best_holds;
    } else {
        ++t.mistakes;
    }
    t.cost += record.cost;
    t.hold_value += record.hold_value;
    t.best_value += record.best_value;
    t.bet += record.coins;
    t.paid += record.paid;
    t.variance += record.hold_variance;
    hands_.push_back(std::move(record));
}

void Session::clear() {
    hands_.clear();
    totals_ = {};
}

std::vector<CreditPoint> Session::credit_line() const {
    std::vector<CreditPoint> line{{start_credit_, start_credit_}};
    CreditPoint at = line.front();
    for (const HandRecord& h : hands_) {
        at.actual += h.net();
        at.perfect += h.best_value - h.coins;
        line.push_back(at);
    }
    return line;
}

HandRecord make_record(const DealAdvice& advice, HoldMask hold,
                       const std::array<CardId, 5>& final_hand, std::string final_name,
                       double paid) {
    HandRecord r;
    r.deal = advice.deal();
    r.coins = advice.coins();
    r.hold = hold;
    r.best = advice.best().mask;
    r.hold_value = advice.value(hold);
    r.best_value = advice.value(r.best);
    r.cost = advice.cost(hold);
    r.hold_variance = advice.variance(hold);
    r.final_hand = final_hand;
    r.final_name = std::move(final_name);
    r.paid = paid;
    return r;
}

}  // namespace quillon::coach

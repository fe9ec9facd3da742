#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "coach/deal_advice.h"

namespace quillon::coach {

// One hand as the coach saw it: the deal, the hold played and the best one, what both were worth
// for the bet, and what the draw paid.
struct HandRecord {
    int number = 0;
    std::array<CardId, 5> deal{};
    int coins = 0;
    HoldMask hold = 0;
    HoldMask best = 0;
    double hold_value = 0.0;  // expected coins back for the bet
    double best_value = 0.0;
    double cost = 0.0;  // best_value - hold_value, 0 for a best hold
    double hold_variance = 0.0;
    std::array<CardId, 5> final_hand{};
    std::string final_name;  // the pay row the final hand fell in
    double paid = 0.0;       // coins the draw paid, before any double-up

    bool best_hold() const { return cost == 0.0; }
    double net() const { return paid - coins; }
};

// The sums over a session's hands.
struct SessionTotals {
    int hands = 0;
    int best_holds = 0;
    int mistakes = 0;
    double cost = 0.0;
    double hold_value = 0.0;
    double best_value = 0.0;
    double bet = 0.0;
    double paid = 0.0;
    double variance = 0.0;

    // The value of the player's holds over that of the best holds, in per cent.
    double accuracy() const;
    // Net coins: what the holds played should have returned, what perfect play should have, and
    // what came.
    double expected_net() const { return hold_value - bet; }
    double perfect_net() const { return best_value - bet; }
    double actual_net() const { return paid - bet; }
    // How far the actual result lies from the expected one, in standard deviations.
    double luck() const;
};

// A point of the session's plot: the credit after a hand, and the credit perfect play would
// expect by then.
struct CreditPoint {
    double actual = 0.0;
    double perfect = 0.0;
};

class Session {
  public:
    // The credit before the first hand, where the plot starts.
    void start_credit(double credit) { start_credit_ = credit; }
    double starting_credit() const { return start_credit_; }

    void add(HandRecord record);
    void clear();

    const std::vector<HandRecord>& hands() const { return hands_; }
    const SessionTotals& totals() const { return totals_; }
    // Hand 0 is the start; point i follows hand i.
    std::vector<CreditPoint> credit_line() const;

  private:
    double start_credit_ = 0.0;
    std::vector<HandRecord> hands_;
    SessionTotals totals_;
};

// A record from a deal's advice, the hold played and the draw.
HandRecord make_record(const DealAdvice& advice, HoldMask hold,
                       const std::array<CardId, 5>& final_hand, std::string final_name,
                       double paid);

}  // namespace quillon::coach

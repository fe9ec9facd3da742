#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/tallies.h"

namespace quillon::coach {

using odds::HoldMask;

// A game at one bet with its classifier: what every figure of one deal is counted with.
struct GameAtBet {
    GameAtBet(odds::Game g, int bet_coins);

    odds::Game game;
    odds::FastClassifier classifier;
    int coins;
};

// The 32 holds of one deal at one bet, exactly, and what they are worth in coins for that bet.
class DealAdvice {
  public:
    // With the game's tallies (built for the same pays) the holds take microseconds; without,
    // they are counted draw by draw, a few milliseconds. The figures are the same.
    DealAdvice(const GameAtBet& at, const odds::Tallies* tallies,
               const std::array<CardId, 5>& deal);

    const std::array<CardId, 5>& deal() const { return deal_; }
    int coins() const { return coins_; }
    // Best first; equal returns keep mask order, as quillon-odds lists them.
    const std::vector<odds::HoldOutcome>& ranked() const { return ranked_; }
    const odds::HoldOutcome& hold(HoldMask mask) const { return by_mask_[mask]; }
    const odds::HoldOutcome& best() const { return ranked_.front(); }
    // 1 for the best hold; holds worth exactly the same share a place.
    int place_of(HoldMask mask) const;

    // Expected coins back for the whole bet.
    double value(HoldMask mask) const;
    // Coins the hold gives away against the best one, 0 for a hold worth as much.
    double cost(HoldMask mask) const;
    bool is_best(HoldMask mask) const;
    // The variance of the coins a hold pays, for the luck of a session.
    double variance(HoldMask mask) const;
    // The chance of each paying row of the game after the hold, by row.
    std::vector<double> chances(HoldMask mask) const;

  private:
    std::array<CardId, 5> deal_;
    int coins_;
    std::vector<std::int64_t> pays_;  // per row, in pay units per coin
    std::int64_t pay_scale_;
    std::array<odds::HoldOutcome, odds::kHoldCount> by_mask_;
    std::vector<odds::HoldOutcome> ranked_;
};

// "A♠", "10♥", "Joker".
std::string card_name(CardId card);
// The cards a hold keeps, by name, or "nothing (draw five)".
std::string hold_names(const std::array<CardId, 5>& deal, HoldMask mask);
// A mask from the five hold flags of the table, slot 0 as bit 0.
HoldMask mask_of(const std::array<bool, 5>& held);

}  // namespace quillon::coach

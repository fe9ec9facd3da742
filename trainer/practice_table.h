#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/card.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"

namespace quillon::trainer {

// The practice table's rules: a fresh deck of the game's cards each hand, five dealt, the unheld
// ones drawn again, and the final hand paid by the game's table for the coins bet.
class PracticeTable {
  public:
    static constexpr double kBankroll = 1000.0;

    explicit PracticeTable(odds::Game game, int coins, std::uint64_t seed);

    // Another game or bet, between hands.
    void set_game(odds::Game game, int coins);
    const odds::Game& game() const { return game_; }
    int coins() const { return coins_; }

    bool holding() const { return holding_; }
    // Takes the bet and deals; a credit short of the bet is topped up with a new bankroll first.
    void deal();
    void toggle_hold(int slot);
    void draw();

    const std::array<CardId, 5>& cards() const { return cards_; }
    const std::array<bool, 5>& held() const { return held_; }
    bool dealt_once() const { return dealt_once_; }
    double credit() const { return credit_; }
    // The last draw: the pay row's name and what it paid, in coins.
    const std::string& last_hand() const { return last_hand_; }
    double last_paid() const { return last_paid_; }
    // What a row pays for the bet, in coins.
    double pays(std::size_t row) const;

    // The next cards dealt or drawn, in order, instead of random ones.
    void stack_cards(std::deque<CardId> cards) { stacked_ = std::move(cards); }

  private:
    CardId take_card();

    odds::Game game_;
    std::unique_ptr<odds::FastClassifier> classifier_;
    int coins_;
    std::mt19937_64 random_;
    std::vector<CardId> deck_;
    std::deque<CardId> stacked_;
    std::array<CardId, 5> cards_{};
    std::array<bool, 5> held_{};
    bool holding_ = false;
    bool dealt_once_ = false;
    double credit_ = kBankroll;
    std::string last_hand_;
    double last_paid_ = 0.0;
};

}  // namespace quillon::trainer

#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "base/card.h"
#include "odds/games/multiplier_table.h"
#include "odds/games/pay_table.h"
#include "odds/play/fast_classifier.h"

namespace quillon::trainer {

// The Ultimate X practice table's rules: every line bets twice the coins, one deal is held for
// all lines, each line draws from its own copy of the cards left, and pays its final hand times
// the multiplier it carries; the hand it makes sets the multiplier it carries into the next deal.
class UltimateXTable {
  public:
    static constexpr double kBankroll = 1000.0;

    // `game` must have a multiplier table for `lines`.
    UltimateXTable(odds::Game game, int lines, int coins, std::uint64_t seed);

    // Another game, line count or bet, between hands: every line starts again at 1X.
    void set_game(odds::Game game, int lines, int coins);
    const odds::Game& game() const { return game_; }
    const odds::MultiplierTable& multipliers() const { return table_; }
    int lines() const { return table_.lines; }
    int coins() const { return coins_; }
    // The whole bet of a deal: two bets of `coins` on every line.
    int bet() const { return odds::kUltimateXBet * coins_ * table_.lines; }

    bool holding() const { return holding_; }
    // Takes the bet and deals; a credit short of it is topped up with a new bankroll first.
    void deal();
    void toggle_hold(int slot);
    void draw();

    const std::array<CardId, 5>& cards() const { return cards_; }
    const std::array<bool, 5>& held() const { return held_; }
    bool dealt_once() const { return dealt_once_; }
    double credit() const { return credit_; }
    // The multiplier each line carries into the deal on the table (or the next one).
    const std::vector<int>& line_multipliers() const { return carried_; }
    int multiplier_total() const;

    // One line's last draw: its final hand, the pay row's name, the multiplier it was paid at,
    // what it paid in coins and the multiplier it earned for the next deal.
    struct Line {
        std::array<CardId, 5> hand{};
        std::string row;
        int paid_at = 1;
        double paid = 0.0;
        int earned = 1;
    };
    const std::vector<Line>& last_lines() const { return last_; }
    double last_paid() const;
    // What a row pays one line at 1X, in coins.
    double pays(std::size_t row) const;

    // The next cards dealt, then each line's draws in line order, instead of random ones.
    void stack_cards(std::deque<CardId> cards) { stacked_ = std::move(cards); }

  private:
    CardId take_card(std::vector<CardId>& deck);

    odds::Game game_;
    odds::MultiplierTable table_;
    std::unique_ptr<odds::FastClassifier> classifier_;
    int coins_;
    std::mt19937_64 random_;
    std::vector<CardId> rest_;  // the deck after the deal
    std::deque<CardId> stacked_;
    std::array<CardId, 5> cards_{};
    std::array<bool, 5> held_{};
    std::vector<int> carried_;
    std::vector<Line> last_;
    bool holding_ = false;
    bool dealt_once_ = false;
    double credit_ = kBankroll;
};

}  // namespace quillon::trainer

#include "trainer/practice_table.h"

#include <algorithm>
#include <stdexcept>

namespace quillon::trainer {

PracticeTable::PracticeTable(odds::Game game, int coins, std::uint64_t seed)
    : game_(std::move(game)),
      classifier_(std::make_unique<odds::FastClassifier>(game_)),
      coins_(coins),
      random_(seed) {}

void PracticeTable::set_game(odds::Game game, int coins) {
    game_ = std::move(game);
    classifier_ = std::make_unique<odds::FastClassifier>(game_);
    coins_ = coins;
    holding_ = false;
    dealt_once_ = false;
    held_ = {};
    last_hand_.clear();
    last_paid_ = 0.0;
}

double PracticeTable::pays(std::size_t row) const {
    return static_cast<double>(game_.pay(row)) * coins_ / static_cast<double>(game_.pay_scale());
}

CardId PracticeTable::take_card() {
    std::size_t at = 0;
    if (!stacked_.empty()) {
        const CardId wanted = stacked_.front();
        stacked_.pop_front();
        const auto it = std::find(deck_.begin(), deck_.end(), wanted);
        if (it == deck_.end()) {
            throw std::logic_error("a stacked card is not in the deck: " + wanted.text());
        }
        at = static_cast<std::size_t>(it - deck_.begin());
    } else {
        std::uniform_int_distribution<std::size_t> pick(0, deck_.size() - 1);
        at = pick(random_);
    }
    const CardId card = deck_[at];
    deck_[at] = deck_.back();
    deck_.pop_back();
    return card;
}

void PracticeTable::deal() {
    if (credit_ < coins_) {
        credit_ += kBankroll;
    }
    credit_ -= coins_;
    deck_.clear();
    for (int code = game_.has_joker() ? 0 : 1; code < CardId::kCount + (game_.jokers() > 1 ? 1 : 0);
         ++code) {
        deck_.push_back(CardId::from_code(code));
    }
    for (CardId& card : cards_) {
        card = take_card();
    }
    held_ = {};
    holding_ = true;
    dealt_once_ = true;
    last_hand_.clear();
    last_paid_ = 0.0;
}

void PracticeTable::toggle_hold(int slot) {
    if (holding_ && slot >= 0 && slot < 5) {
        held_[static_cast<std::size_t>(slot)] = !held_[static_cast<std::size_t>(slot)];
    }
}

void PracticeTable::draw() {
    if (!holding_) {
        return;
    }
    for (std::size_t i = 0; i < 5; ++i) {
        if (!held_[i]) {
            cards_[i] = take_card();
        }
    }
    const std::size_t row = game_.row_of(classifier_->classify(cards_));
    last_hand_ = game_.rows()[row].label;
    last_paid_ = pays(row);
    credit_ += last_paid_;
    holding_ = false;
}

}  // namespace quillon::trainer

#include "trainer/ultimate_x_table.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace quillon::trainer {

namespace {

odds::MultiplierTable table_of(const odds::Game& game, int lines) {
    const odds::MultiplierTable* table = game.multipliers_for(lines);
    if (table == nullptr) {
        throw std::invalid_argument(game.name() + " is not played on " + std::to_string(lines) +
                                    " Ultimate X lines");
    }
    return *table;
}

}  // namespace

UltimateXTable::UltimateXTable(odds::Game game, int lines, int coins, std::uint64_t seed)
    : game_(std::move(game)), random_(seed) {
    set_game(std::move(game_), lines, coins);
}

void UltimateXTable::set_game(odds::Game game, int lines, int coins) {
    table_ = table_of(game, lines);
    game_ = std::move(game);
    classifier_ = std::make_unique<odds::FastClassifier>(game_);
    coins_ = coins;
    carried_.assign(static_cast<std::size_t>(lines), 1);
    last_.clear();
    held_ = {};
    holding_ = false;
    dealt_once_ = false;
}

int UltimateXTable::multiplier_total() const {
    return std::accumulate(carried_.begin(), carried_.end(), 0);
}

double UltimateXTable::pays(std::size_t row) const {
    return static_cast<double>(game_.pay(row)) * coins_ / static_cast<double>(game_.pay_scale());
}

double UltimateXTable::last_paid() const {
    double paid = 0.0;
    for (const Line& line : last_) {
        paid += line.paid;
    }
    return paid;
}

CardId UltimateXTable::take_card(std::vector<CardId>& deck) {
    std::size_t at = 0;
    if (!stacked_.empty()) {
        const CardId wanted = stacked_.front();
        stacked_.pop_front();
        const auto it = std::find(deck.begin(), deck.end(), wanted);
        if (it == deck.end()) {
            throw std::logic_error("a stacked card is not in the deck: " + wanted.text());
        }
        at = static_cast<std::size_t>(it - deck.begin());
    } else {
        std::uniform_int_distribution<std::size_t> pick(0, deck.size() - 1);
        at = pick(random_);
    }
    const CardId card = deck[at];
    deck[at] = deck.back();
    deck.pop_back();
    return card;
}

void UltimateXTable::deal() {
    if (holding_) {
        return;
    }
    if (credit_ < bet()) {
        credit_ += kBankroll;
    }
    credit_ -= bet();
    rest_.clear();
    for (int code = game_.has_joker() ? 0 : 1; code < CardId::kCount + (game_.jokers() > 1 ? 1 : 0);
         ++code) {
        rest_.push_back(CardId::from_code(code));
    }
    for (CardId& card : cards_) {
        card = take_card(rest_);
    }
    held_ = {};
    last_.clear();
    holding_ = true;
    dealt_once_ = true;
}

void UltimateXTable::toggle_hold(int slot) {
    if (holding_ && slot >= 0 && slot < 5) {
        held_[static_cast<std::size_t>(slot)] = !held_[static_cast<std::size_t>(slot)];
    }
}

void UltimateXTable::draw() {
    if (!holding_) {
        return;
    }
    last_.assign(carried_.size(), Line{});
    for (std::size_t l = 0; l < carried_.size(); ++l) {
        std::vector<CardId> deck = rest_;
        Line& line = last_[l];
        for (std::size_t i = 0; i < 5; ++i) {
            line.hand[i] = held_[i] ? cards_[i] : take_card(deck);
        }
        const std::size_t row = game_.row_of(classifier_->classify(line.hand));
        line.row = game_.rows()[row].label;
        line.paid_at = carried_[l];
        line.paid = pays(row) * line.paid_at;
        line.earned = table_.earned[row];
        credit_ += line.paid;
        carried_[l] = line.earned;
    }
    holding_ = false;
}

}  // namespace quillon::trainer

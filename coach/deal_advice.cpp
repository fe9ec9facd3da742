#include "coach/deal_advice.h"

#include <algorithm>

#include "odds/play/deal_analysis.h"

namespace quillon::coach {

GameAtBet::GameAtBet(odds::Game g, int bet_coins)
    : game(std::move(g)), classifier(game), coins(bet_coins) {}

DealAdvice::DealAdvice(const GameAtBet& at, const odds::Tallies* tallies,
                       const std::array<CardId, 5>& deal)
    : deal_(deal),
      coins_(at.coins),
      pay_scale_(at.game.pay_scale()),
      by_mask_(tallies != nullptr && tallies->game() == at.game
                   ? odds::analyze_deal(*tallies, deal)
                   : odds::analyze_one_deal(at.game, at.classifier, deal)),
      ranked_(odds::holds_best_first(by_mask_)) {
    for (std::size_t r = 0; r < at.game.row_count(); ++r) {
        pays_.push_back(at.game.pay(r));
    }
}

int DealAdvice::place_of(HoldMask mask) const {
    int place = 1;
    for (const odds::HoldOutcome& h : ranked_) {
        if (odds::pays_more(h, by_mask_[mask])) {
            ++place;
        }
    }
    return place;
}

double DealAdvice::value(HoldMask mask) const {
    return by_mask_[mask].expected_return() * coins_;
}

double DealAdvice::cost(HoldMask mask) const {
    return is_best(mask) ? 0.0 : value(best().mask) - value(mask);
}

bool DealAdvice::is_best(HoldMask mask) const {
    return !odds::pays_more(best(), by_mask_[mask]);
}

double DealAdvice::variance(HoldMask mask) const {
    const odds::HoldOutcome& h = by_mask_[mask];
    const double per_unit = static_cast<double>(coins_) / static_cast<double>(pay_scale_);
    double mean = 0.0;
    double square = 0.0;
    for (std::size_t r = 0; r < pays_.size(); ++r) {
        const double p = static_cast<double>(h.counts[r]) / static_cast<double>(h.draws);
        const double pay = static_cast<double>(pays_[r]) * per_unit;
        mean += p * pay;
        square += p * pay * pay;
    }
    return std::max(0.0, square - mean * mean);
}

std::vector<double> DealAdvice::chances(HoldMask mask) const {
    const odds::HoldOutcome& h = by_mask_[mask];
    std::vector<double> out;
    for (std::size_t r = 0; r < pays_.size(); ++r) {
        out.push_back(static_cast<double>(h.counts[r]) / static_cast<double>(h.draws));
    }
    return out;
}

std::string card_name(CardId card) {
    if (card.is_joker()) {
        return "Joker";
    }
    static constexpr std::array<const char*, 14> kRanks = {"",  "A", "2", "3",  "4", "5", "6",
                                                           "7", "8", "9", "10", "J", "Q", "K"};
    static constexpr std::array<const char*, 4> kSuits = {"♠", "♦", "♣", "♥"};
    return std::string(kRanks[static_cast<std::size_t>(card.rank())]) +
           kSuits[static_cast<std::size_t>(card.suit())];
}

std::string hold_names(const std::array<CardId, 5>& deal, HoldMask mask) {
    std::string out;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask & (1u << i)) != 0) {
            out += (out.empty() ? "" : " ") + card_name(deal[i]);
        }
    }
    return out.empty() ? "nothing (draw five)" : out;
}

HoldMask mask_of(const std::array<bool, 5>& held) {
    HoldMask mask = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        mask = static_cast<HoldMask>(mask | (held[i] ? 1u << i : 0u));
    }
    return mask;
}

}  // namespace quillon::coach

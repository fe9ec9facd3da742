#include "trainer/drill/drill_schedule.h"

#include <algorithm>
#include <numeric>

namespace quillon::trainer {

std::array<int, 5> deal_key(const std::array<CardId, 5>& deal) {
    std::array<int, 4> suits{0, 1, 2, 3};
    std::array<int, 5> best{};
    bool first = true;
    // The smallest sorted codes over the 24 namings of the suits.
    do {
        std::array<int, 5> codes{};
        for (std::size_t i = 0; i < 5; ++i) {
            const CardId c = deal[i];
            codes[i] =
                c.is_joker()
                    ? 0
                    : CardId::of(static_cast<Suit>(suits[static_cast<std::size_t>(c.suit())]),
                                 c.rank())
                          .code();
        }
        std::sort(codes.begin(), codes.end());
        if (first || codes < best) {
            best = codes;
            first = false;
        }
    } while (std::next_permutation(suits.begin(), suits.end()));
    return best;
}

int DrillSchedule::gap(int streak) {
    // 2, 5, 11, 23, ...: each right answer more than doubles the wait.
    int turns = 2;
    for (int i = 1; i < streak; ++i) {
        turns = turns * 2 + 1;
    }
    return turns;
}

void DrillSchedule::add(DrillDeal deal) {
    const std::array<int, 5> key = deal_key(deal.deal);
    for (DrillDeal& d : deals_) {
        if (deal_key(d.deal) == key) {
            d.weight = std::max(d.weight, deal.weight);
            return;
        }
    }
    // New deals come in the order given, one a turn.
    deal.due = turn_ + static_cast<int>(left());
    deal.streak = 0;
    deal.learned_ = false;
    deals_.push_back(std::move(deal));
}

std::size_t DrillSchedule::left() const {
    return static_cast<std::size_t>(std::count_if(deals_.begin(), deals_.end(),
                                                  [](const DrillDeal& d) { return !d.learned_; }));
}

std::optional<std::size_t> DrillSchedule::next() const {
    std::optional<std::size_t> pick;
    const bool others = left() > 1;
    for (std::size_t i = 0; i < deals_.size(); ++i) {
        const DrillDeal& d = deals_[i];
        if (d.learned_ || (others && last_ == i)) {
            continue;
        }
        if (!pick || d.due < deals_[*pick].due) {
            pick = i;
        }
    }
    return pick;
}

void DrillSchedule::answer(std::size_t index, bool right) {
    DrillDeal& d = deals_.at(index);
    ++turn_;
    ++d.answers;
    last_ = index;
    if (right) {
        ++d.streak;
        d.learned_ = d.streak >= needed_;
        d.due = turn_ + gap(d.streak);
    } else {
        ++d.missed;
        d.streak = 0;
        d.due = turn_ + 1;
    }
}

void DrillSchedule::restore(std::vector<DrillDeal> deals, int turn) {
    deals_ = std::move(deals);
    turn_ = turn;
    last_.reset();
    for (DrillDeal& d : deals_) {
        d.learned_ = d.streak >= needed_;
    }
}

}  // namespace quillon::trainer

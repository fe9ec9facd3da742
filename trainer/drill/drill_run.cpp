#include "trainer/drill/drill_run.h"

#include <algorithm>

#include "trainer/drill/drill_deals.h"

namespace quillon::trainer {

DrillRun::DrillRun(odds::Game game, int coins, std::shared_ptr<const odds::Tallies> tallies,
                   DrillSchedule schedule, std::uint64_t seed)
    : at_(std::move(game), coins),
      tallies_(std::move(tallies)),
      schedule_(std::move(schedule)),
      random_(seed) {}

DrillRun::Upcoming DrillRun::pick_next() {
    Upcoming up;
    std::array<CardId, 5> deal{};
    if (schedule_.empty()) {
        std::vector<CardId> deck;
        for (int code = at_.game.has_joker() ? 0 : 1;
             code < CardId::kCount + (at_.game.jokers() > 1 ? 1 : 0); ++code) {
            deck.push_back(CardId::from_code(code));
        }
        for (std::size_t i = 0; i < 5; ++i) {
            std::uniform_int_distribution<std::size_t> pick(i, deck.size() - 1);
            std::swap(deck[i], deck[pick(random_)]);
            deal[i] = deck[i];
        }
    } else {
        up.index = schedule_.next();
        if (!up.index) {
            return up;
        }
        deal = disguised(schedule_.deals()[*up.index].deal, random_);
    }
    up.advice = std::make_unique<coach::DealAdvice>(at_, tallies_.get(), deal);
    return up;
}

std::optional<std::array<CardId, 5>> DrillRun::prepare_next() {
    if (!upcoming_) {
        upcoming_ = pick_next();
    }
    return upcoming_->advice ? std::optional(upcoming_->advice->deal()) : std::nullopt;
}

bool DrillRun::next() {
    Upcoming up = upcoming_ ? std::move(*upcoming_) : pick_next();
    upcoming_.reset();
    current_ = up.index;
    advice_ = std::move(up.advice);
    answered_ = false;
    return advice_ != nullptr;
}

DrillRun::Verdict DrillRun::answer(HoldMask hold) {
    Verdict v;
    v.hold = hold;
    v.best = advice_->best().mask;
    v.value = advice_->value(hold);
    v.best_value = advice_->value(v.best);
    v.cost = advice_->cost(hold);
    v.right = advice_->is_best(hold);
    if (!answered_) {
        answered_ = true;
        answers_.add(coach::make_record(*advice_, hold, advice_->deal(), {}, 0.0));
        if (current_) {
            schedule_.answer(*current_, v.right);
        }
    }
    return v;
}

std::vector<const DrillDeal*> DrillRun::still_missed() const {
    std::vector<const DrillDeal*> out;
    for (const DrillDeal& d : schedule_.deals()) {
        if (d.missed > 0 && !d.learned()) {
            out.push_back(&d);
        }
    }
    std::stable_sort(out.begin(), out.end(),
                     [](const DrillDeal* a, const DrillDeal* b) { return a->weight > b->weight; });
    return out;
}

}  // namespace quillon::trainer

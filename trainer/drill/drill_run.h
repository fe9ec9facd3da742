#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "coach/deal_advice.h"
#include "coach/session.h"
#include "odds/play/tallies.h"
#include "trainer/drill/drill_schedule.h"

namespace quillon::trainer {

using coach::HoldMask;

// A drill under way, in flash mode: a deal, the player's hold, the verdict at once with the best
// hold and the cost, then the next deal; nothing is drawn and no credit changes. The deals come
// from a schedule (each shown with its suits and order shuffled), or fresh from the deck when
// the schedule is empty. The score is the coach's accuracy: the value of the holds played over
// that of the best holds.
class DrillRun {
  public:
    DrillRun(odds::Game game, int coins, std::shared_ptr<const odds::Tallies> tallies,
             DrillSchedule schedule, std::uint64_t seed);

    // Deals the next deal; false once every deal of the schedule is learned.
    bool next();
    // Once the deal on show is answered, picks the one next() will deal and counts its holds, so
    // that a window can draw its cards while the player reads the verdict. None when the drill
    // is over.
    std::optional<std::array<CardId, 5>> prepare_next();
    bool dealt() const { return advice_ != nullptr; }
    const std::array<CardId, 5>& deal() const { return advice_->deal(); }
    const coach::DealAdvice& advice() const { return *advice_; }
    // The scheduled deal on show, or none for a fresh one.
    std::optional<std::size_t> current() const { return current_; }

    struct Verdict {
        bool right = false;
        HoldMask hold = 0;
        HoldMask best = 0;
        double value = 0.0;  // coins for the bet
        double best_value = 0.0;
        double cost = 0.0;
    };
    // Judges the hold of the deal on show; the deal then waits for next().
    Verdict answer(HoldMask hold);
    bool answered() const { return answered_; }

    const odds::Game& game() const { return at_.game; }
    int coins() const { return at_.coins; }
    const DrillSchedule& schedule() const { return schedule_; }
    bool fresh_deals() const { return schedule_.empty(); }
    // Every answer as a hand of the coach's session: the score and the mistakes.
    const coach::Session& answers() const { return answers_; }
    // The scheduled deals answered wrong at least once and not yet learned, costliest first.
    std::vector<const DrillDeal*> still_missed() const;

  private:
    struct Upcoming {
        std::optional<std::size_t> index;
        std::unique_ptr<coach::DealAdvice> advice;
    };
    Upcoming pick_next();

    coach::GameAtBet at_;
    std::shared_ptr<const odds::Tallies> tallies_;
    DrillSchedule schedule_;
    std::mt19937_64 random_;
    std::unique_ptr<coach::DealAdvice> advice_;
    std::optional<std::size_t> current_;
    std::optional<Upcoming> upcoming_;
    bool answered_ = false;
    coach::Session answers_;
};

}  // namespace quillon::trainer

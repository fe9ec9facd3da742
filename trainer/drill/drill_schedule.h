#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/card.h"

namespace quillon::trainer {

// One deal to drill, as first met, with how the drill has gone for it so far.
struct DrillDeal {
    std::array<CardId, 5> deal{};
    // What holding it wrong cost, per coin bet: the order of the list of what is still missed.
    double weight = 0.0;
    // Where the deal came from, in words: "hand 12 of this session", "one deal in 300".
    std::string origin;

    int streak = 0;   // right answers in a row
    int due = 0;      // the turn from which it may come again
    int answers = 0;  // times it was answered
    int missed = 0;   // of which wrong
    bool learned() const { return learned_; }

  private:
    friend class DrillSchedule;
    bool learned_ = false;
};

// The five cards of a deal up to the naming of the suits and their order: deals with the same
// key play alike.
std::array<int, 5> deal_key(const std::array<CardId, 5>& deal);

// Which deal comes next, as players' flash-card programs space them out: a deal leaves after
// `needed` right answers in a row; each right answer sends it further back (2, 5, 11, ... turns),
// a wrong one brings it back soon and starts its count again.
class DrillSchedule {
  public:
    static constexpr int kDefaultNeeded = 3;

    explicit DrillSchedule(int needed = kDefaultNeeded) : needed_(needed) {}

    // A deal already in the drill, up to suits and order, only gains weight.
    void add(DrillDeal deal);
    // The deal to show now: the one due first, not the one just shown while another is left.
    // None once every deal is learned.
    std::optional<std::size_t> next() const;
    void answer(std::size_t index, bool right);

    int needed() const { return needed_; }
    int turn() const { return turn_; }
    std::size_t left() const;
    bool empty() const { return deals_.empty(); }
    const std::vector<DrillDeal>& deals() const { return deals_; }

    // The turns before a deal comes again after `streak` right answers in a row.
    static int gap(int streak);

    // A saved drill read back: a deal with `needed` right answers in a row is learned.
    void restore(std::vector<DrillDeal> deals, int turn);

  private:
    int needed_;
    int turn_ = 0;
    std::optional<std::size_t> last_;
    std::vector<DrillDeal> deals_;
};

}  // namespace quillon::trainer

#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "odds/strategy/patterns/deal_patterns.h"

namespace quillon::odds {

// The entries of a table pattern by pattern, each as its deal and the slot of its hold among the
// deal's, in the order of the deals. A pattern's deals come in order, so each is stored as the
// step from the one before with the slot beside it, in two bytes; a step too long for them is
// written out whole in two more words. Two bytes keep the reading free of branches the processor
// cannot foresee, so that it runs ahead to the deals of the next entries: the search spends its
// time waiting for them. What each entry's hold pays is kept beside, in the same order, so that a
// pass over a pattern reads its values in a row rather than looking up each hold in the table:
// the holds of one pattern keep as many cards, so the pays in 32 bits and the pattern's one
// factor give the value; where a pattern's holds differ in size or the table keeps its values
// whole, the values are kept whole here too.
class PatternEntries {
  public:
    explicit PatternEntries(const DealPatterns& table);

    // How many entries show pattern p.
    std::uint32_t count(std::uint32_t p) const { return count_[p]; }

    // Reads pattern p's entries one by one: while next(), deal() and slot() are the entry's.
    class Cursor {
      public:
        Cursor(const std::uint16_t* at, const std::uint16_t* end, const std::uint32_t* pays,
               double per_draw, const double* whole)
            : at_(at), end_(end), pays_(pays), per_draw_(per_draw), whole_(whole) {}
        bool next() {
            if (at_ == end_) {
                return false;
            }
            ++n_;
            const std::uint32_t code = *at_++;
            slot_ = code & kSlotMask;
            const std::uint32_t step = code >> kSlotBits;
            if (step == kLongStep) [[unlikely]] {
                deal_ = static_cast<std::uint32_t>(at_[0]) | static_cast<std::uint32_t>(at_[1])
                                                                 << 16;
                at_ += 2;
            } else {
                deal_ += step + 1;
            }
            return true;
        }
        std::uint32_t deal() const { return deal_; }
        std::uint32_t slot() const { return slot_; }
        // The value of the entry's hold, as the table's hold_value gives it.
        double value() const {
            if (whole_ != nullptr) [[unlikely]] {
                return whole_[n_];
            }
            return static_cast<double>(pays_[n_]) * per_draw_;
        }

      private:
        const std::uint16_t* at_;
        const std::uint16_t* end_;
        const std::uint32_t* pays_;
        double per_draw_;
        const double* whole_;
        std::uint32_t n_ = ~std::uint32_t{0};
        std::uint32_t deal_ = ~std::uint32_t{0};
        std::uint32_t slot_ = 0;
    };
    Cursor entries(std::uint32_t p) const {
        return Cursor(words_.data() + begin_[p], words_.data() + begin_[p + 1],
                      whole_.empty() ? pays_.data() + first_[p] : nullptr, per_draw_[p],
                      whole_.empty() ? nullptr : whole_.data() + first_[p]);
    }

    static constexpr unsigned kSlotBits = 5;
    static constexpr std::uint32_t kSlotMask = (1u << kSlotBits) - 1u;
    // The step field's top value says the deal follows whole.
    static constexpr std::uint32_t kLongStep = (1u << (16 - kSlotBits)) - 1u;

  private:
    std::vector<std::uint16_t> words_;
    std::vector<std::size_t> begin_;
    std::vector<std::uint32_t> count_;
    // What the entries' holds pay, pattern by pattern (pattern p's start at first_[p]), and
    // each pattern's factor from pays to value; or, in whole_, the values themselves.
    std::vector<std::uint32_t> pays_;
    std::vector<double> per_draw_;
    std::vector<double> whole_;
    std::vector<std::size_t> first_;
};

}  // namespace quillon::odds

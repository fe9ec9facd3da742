#pragma once

#include <array>
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "base/threads.h"
#include "odds/play/hold_analysis.h"
#include "odds/play/suit_classes.h"
#include "odds/play/tallies.h"
#include "odds/strategy/patterns/hold_pattern.h"

namespace quillon::odds {

// Every deal class with the patterns its holds show. A pattern that several holds of one deal
// share stands for the one a chart keeps (see hold_preference). Entries are stored deal by deal:
// those of deal d run from entry_begin[d] to entry_begin[d + 1]. A deal's entries keep some of its
// holds, several entries often the same one, so each hold is stored once: those of deal d run
// from hold_begin[d], in the order of their masks, and an entry names its hold by its slot there.
// The table of a game holds some five million entries: they take three bytes each, and its two
// million holds five.
struct DealPatterns {
    std::vector<DealClass> deals;
    std::vector<std::uint32_t> entry_begin;
    std::vector<std::uint16_t> entry_pattern;
    std::vector<std::uint8_t> entry_slot;
    // The kept holds, by mask over the deal's sorted cards, and what their draws pay in all, in
    // the game's pay units: the expected return per coin is that times per_draw[cards kept].
    // Where some hold's pays overflow 32 bits, the returns are stored whole in wide_value
    // instead.
    std::vector<std::uint32_t> hold_begin;
    std::vector<HoldMask> hold_mask;
    std::vector<std::uint32_t> hold_pays;
    std::vector<double> wide_value;
    std::array<double, 6> per_draw{};
    // The best hold's expected return for each deal.
    std::vector<double> perfect;
    // The patterns by id.
    std::vector<PatternKey> keys;
    // For each pattern, the coarser patterns of the table that take in all its holds.
    std::vector<std::vector<std::uint32_t>> parents;
    std::uint32_t discard_all = 0;

    std::size_t deal_count() const { return deals.size(); }
    std::size_t entry_count() const { return entry_pattern.size(); }
    double total_weight() const;

    // Entry e (of deal d): its pattern, its hold (an index into hold_mask and hold_pays), the
    // hold's mask and value.
    std::uint32_t pattern(std::uint32_t e) const { return entry_pattern[e]; }
    std::uint32_t hold(std::size_t d, std::uint32_t e) const {
        return hold_begin[d] + entry_slot[e];
    }
    HoldMask mask(std::size_t d, std::uint32_t e) const { return hold_mask[hold(d, e)]; }
    double value(std::size_t d, std::uint32_t e) const { return hold_value(hold(d, e)); }
    // Hold h's expected return per coin, worked out as the deal's analysis does.
    double hold_value(std::uint32_t h) const {
        if (!wide_value.empty()) [[unlikely]] {
            return wide_value[h];
        }
        return static_cast<double>(hold_pays[h]) * per_draw[kHoldSize[hold_mask[h]]];
    }
};

// The deal cards of a class as the game's cards.
std::array<CardId, 5> class_cards(const DealClass& deal, bool joker);

// Patterns in `left_out` are left out of every deal, as if no hold showed them.
DealPatterns deal_patterns(const Tallies& tallies, const RankProfile& profile,
                           std::vector<DealClass> deals, unsigned threads = default_threads(),
                           const std::unordered_set<PatternKey>* left_out = nullptr);

}  // namespace quillon::odds

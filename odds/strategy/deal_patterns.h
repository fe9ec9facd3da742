#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "odds/hold_analysis.h"
#include "odds/strategy/hold_pattern.h"
#include "odds/suit_classes.h"
#include "odds/tallies.h"

namespace quillon::odds {

// Every deal class with the patterns its holds show. A pattern that several holds of one deal
// share stands for the one a chart keeps (see hold_preference). Entries are stored deal by deal:
// those of deal d run from entry_begin[d] to entry_begin[d + 1].
struct DealPatterns {
    std::vector<DealClass> deals;
    std::vector<std::uint32_t> entry_begin;
    std::vector<std::uint32_t> pattern;
    // The kept hold, by mask over the deal's sorted cards, and its expected return per coin.
    std::vector<HoldMask> mask;
    std::vector<double> value;
    // The best hold's expected return for each deal.
    std::vector<double> perfect;
    // The patterns by id.
    std::vector<PatternKey> keys;
    // For each pattern, the coarser patterns of the table that take in all its holds.
    std::vector<std::vector<std::uint32_t>> parents;
    std::uint32_t discard_all = 0;

    std::size_t deal_count() const { return deals.size(); }
    double total_weight() const;
};

// The deal cards of a class as the game's cards.
std::array<CardId, 5> class_cards(const DealClass& deal, bool joker);

// Patterns in `left_out` are left out of every deal, as if no hold showed them.
DealPatterns deal_patterns(const Tallies& tallies, const RankProfile& profile,
                           std::vector<DealClass> deals, unsigned threads = 2,
                           const std::unordered_set<PatternKey>* left_out = nullptr);

}  // namespace quillon::odds

#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "base/threads.h"
#include "odds/games/pay_table.h"
#include "odds/play/tallies.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"

// A generated chart of a game with wild cards written as published charts read: in sections by
// the wild cards dealt ("Four deuces:", "Three deuces:", ... "No deuces:"), each section's lines
// in the chart's order, so that a player reads only the lines of the deal in front of him.
namespace quillon::odds {

// The flat chart `keys` (best first, patterns of `table`) in sections: a section holds every
// line that decides some deal of its count of wild cards, in the flat order, and the lines at
// the head of the chart that decide deals of two counts or more stand once above the headings.
// A line that decides no deal is left out. Within a section a line that takes in any number of
// wild cards ("four of a kind, natural or with deuces") is named by the section's own hand
// ("four of a kind" under "No deuces:") where those words keep the same hold in every deal of
// the section. Every deal keeps the hold the flat chart keeps, by the line of the same place.
// A game without wild cards has its flat chart.
Chart sectioned_chart(const std::vector<PatternKey>& keys, const Game& game,
                      const DealPatterns& table);

// The same for a flat chart of lines and exceptions (lines with a condition on the discards),
// played deal by deal over every deal class of the tallies' game, as its words read. Besides,
// within its section an exception stands just above the bare line of its pattern where that
// keeps every deal's hold, as published charts write an exception beside the line it overrides.
Chart sectioned_chart(const Chart& flat, const Tallies& tallies,
                      unsigned threads = default_threads());

// What sectioning asks of a game's deals: each deal's wild cards and weight, and the line (by
// its place in the chart) and hold a chart picks for some of them.
struct SectionDeals {
    std::vector<int> wild;
    std::vector<std::uint64_t> weight;
    // Sets picks[d] to the chart's pick for every deal d of `deals`; picks holds every deal.
    std::function<void(const Chart& chart, const std::vector<std::uint32_t>& deals,
                       std::vector<TablePick>& picks)>
        pick;
    // Whether a pattern may stand in a chart the deals are played by.
    std::function<bool(PatternKey)> knows;
};

// The flat chart in sections, its deals played by `deals`, as above.
Chart sectioned_chart(const Chart& flat, const Game& game, const SectionDeals& deals);

}  // namespace quillon::odds

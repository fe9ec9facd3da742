#pragma once

#include <vector>

#include "odds/games/pay_table.h"
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

}  // namespace quillon::odds

#pragma once

#include <array>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "coach/chart_source.h"
#include "coach/session.h"
#include "odds/play/tallies.h"
#include "trainer/drill/drill_schedule.h"

namespace quillon::trainer {

// The deals of a session held otherwise than best, with what each mistake cost per coin bet.
std::vector<DrillDeal> session_mistakes(const coach::Session& session);

// The same from a session the coach saved, as its .json or its .csv. Throws
// std::runtime_error, saying why, when the file cannot be read.
std::vector<DrillDeal> session_file_mistakes(const std::string& path);

// The deals of a game it pays most to know: each deal class weighted by how often it comes and
// what the likeliest wrong hold costs. Those are the classes the chart plays worst (its costliest
// misses, when a chart is given) and perfect play's closest calls, where the runner-up hold
// returns within a tenth of the best. At most `count`, heaviest first; the weight is the coins
// per coin bet that holding the class wrong loses over all deals of the game.
std::vector<DrillDeal> hardest_deals(const odds::Tallies& tallies, const coach::CoachChart* chart,
                                     std::size_t count);

// The deal with its suits renamed and its cards put in another order at random, so that it is
// not known again by its look; the joker stays the joker. Every hold keeps its value.
std::array<CardId, 5> disguised(const std::array<CardId, 5>& deal, std::mt19937_64& random);

}  // namespace quillon::trainer

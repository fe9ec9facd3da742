#pragma once

#include <array>

#include "base/card.h"
#include "odds/play/fast_classifier.h"
#include "odds/play/hold_analysis.h"

namespace quillon::odds {

// The 32 holds of one deal counted draw by draw, without the tallies: for a single deal this is
// several times quicker than building them. The same outcomes as analyze_deal over the tallies.
std::array<HoldOutcome, kHoldCount> analyze_one_deal(const Game& game,
                                                     const FastClassifier& classifier,
                                                     const std::array<CardId, 5>& deal);

}  // namespace quillon::odds

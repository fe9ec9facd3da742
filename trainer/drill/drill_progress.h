#pragma once

#include <string>

#include "trainer/drill/drill_schedule.h"

namespace quillon::trainer {

// A drill's progress as the player saved it: which game and bet, and for each deal its cards,
// where it came from and how it has gone. docs/drills.md describes the file.
struct DrillProgress {
    std::string game;
    int coins = 0;
    DrillSchedule schedule;
};

std::string progress_json(const DrillProgress& progress);
// Throws std::runtime_error, saying why, for a file that is not a saved drill.
DrillProgress progress_from_json(const std::string& text);

}  // namespace quillon::trainer

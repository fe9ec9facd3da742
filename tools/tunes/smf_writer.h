#pragma once

#include <cstdint>
#include <vector>

#include "tools/tunes/score.h"

namespace quillon::tunes {

// Writes the song as a Standard MIDI File, format 1: a conductor track with the title, meter and
// tempo, then one track per part that sets up its channel at tick 0 and plays its notes.
//
// Made to loop: every track ends at the song's length, exactly on a bar line, and every channel
// gets an all-notes-off there, so nothing hangs over when the tune starts again.
std::vector<std::uint8_t> write_smf(const Song& song);

}  // namespace quillon::tunes

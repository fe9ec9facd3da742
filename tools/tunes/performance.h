#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tools/tunes/score.h"

// Turns the written sections into the played tune: lays them out in the order of the form, then
// plays the notes the way a band would, with swung off-beats, notes released a little before
// their written end, and loudness that leans on the strong beats and never repeats exactly.
namespace quillon::tunes {

// A note as written: even eighths, full length, ticks from the start of its section.
struct RawNote {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
    int key = 60;
    int velocity = 78;
};

struct SectionPart {
    std::vector<RawNote> notes;
    std::uint32_t bars = 0;
};

struct Section {
    std::map<std::string, SectionPart> parts;
};

struct PerformanceError {
    std::string what;
};

// Fills song.parts[].notes and song.length. Throws PerformanceError when the form names an
// unknown section or a section's parts differ in length.
void assemble(Song& song, const std::map<std::string, Section>& sections,
              const std::vector<std::string>& form);

// Where a written tick is played: off-beat eighths move later by the song's swing.
std::uint32_t swung(std::uint32_t tick, int swing_percent);

}  // namespace quillon::tunes

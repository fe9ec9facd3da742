#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace quillon::sound {

// Where the music looks for a General MIDI SoundFont when nobody says otherwise: the system's
// chosen default first, then any other SoundFont in the same folders.
std::vector<std::filesystem::path> default_soundfont_places();

struct SoundFontSearch {
    // Readable SoundFonts in the order they should be tried; empty when nothing was found.
    std::vector<std::filesystem::path> candidates;
    // Every place that was looked at, for the error message.
    std::vector<std::string> looked;
};

// Walks the places in order. A file is taken as it is; a folder stands for the .sf2 files in it,
// in name order. A file reached twice (the default is usually a link to one in the same folder)
// is listed once.
SoundFontSearch find_soundfonts(const std::vector<std::filesystem::path>& places);

}  // namespace quillon::sound

#include "sound/soundfont_search.h"

#include <algorithm>
#include <fstream>
#include <system_error>

#include "sound/tune_search.h"

namespace quillon::sound {
namespace fs = std::filesystem;

std::vector<fs::path> default_soundfont_places() {
    // The build cuts a SoundFont of just what the tunes play and puts it beside the game: far
    // smaller to hold than a whole General MIDI set, and note for note the same sound.
    std::vector<fs::path> places;
    for (const fs::path& folder : installed_data_folders()) {
        places.push_back(folder / "quillon-tunes.sf2");
    }
    for (const char* place : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2",
                              "/usr/share/soundfonts/default.sf2", "/usr/share/soundfonts"}) {
        places.emplace_back(place);
    }
    return places;
}

namespace {

bool readable_file(const fs::path& p) {
    std::error_code ec;
    if (!fs::is_regular_file(p, ec)) {
        return false;
    }
    std::ifstream in(p, std::ios::binary);
    return in.good();
}

std::vector<fs::path> soundfonts_in(const fs::path& dir) {
    std::vector<fs::path> found;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".sf2") {
            found.push_back(it->path());
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

void add_candidate(SoundFontSearch& search, const fs::path& p) {
    if (!readable_file(p)) {
        return;
    }
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(p, ec);
    for (const auto& known : search.candidates) {
        if (fs::weakly_canonical(known, ec) == real) {
            return;
        }
    }
    search.candidates.push_back(p);
}

}  // namespace

SoundFontSearch find_soundfonts(const std::vector<fs::path>& places) {
    SoundFontSearch search;
    for (const auto& place : places) {
        std::error_code ec;
        if (fs::is_directory(place, ec)) {
            search.looked.push_back((place / "*.sf2").string());
            for (const auto& candidate : soundfonts_in(place)) {
                add_candidate(search, candidate);
            }
        } else {
            search.looked.push_back(place.string());
            add_candidate(search, place);
        }
    }
    return search;
}

}  // namespace quillon::sound

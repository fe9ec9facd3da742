#pragma once

#include <filesystem>
#include <vector>

namespace quillon::sound {

// The folders the game's own files are installed in: the program's folder (a build's run
// folder, where the tunes and their SoundFont are made) and ../share/quillon beside it (an
// installed game in games/ or bin/). Empty when the program's path cannot be read.
std::vector<std::filesystem::path> installed_data_folders();

// Where a tune file named `name` is opened from. The current folder comes first: a name that
// is absolute, or under which anything lies there, is taken as it is. Otherwise the first of
// `folders` that holds a file of that name; failing all, the name as it is, so that the Open
// says it is missing from the current folder.
std::filesystem::path find_tune(const std::filesystem::path& name,
                                const std::vector<std::filesystem::path>& folders);

}  // namespace quillon::sound

#pragma once

#include <cstdio>
#include <optional>

namespace quillon::ui {

// What the game's command line asks for: --coach, or --help and --version, which print and end
// the program before any window opens. Any other word is one "error:" line and status 2.
struct AppOptions {
    bool coach_at_start = false;
    // Where the program ends at once: its exit status.
    std::optional<int> exit_now;
};

AppOptions read_app_options(int argc, char** argv, std::FILE* out, std::FILE* err);

}  // namespace quillon::ui

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

namespace quillon::sound {

// Why a tune file could not be read. `reason` completes "the music file X ...", as in
// "is a folder, not a file". The kinds are those of quillon::FileProblem, in its order.
struct TuneFileProblem {
    enum Kind {
        kMissing,     // nothing by that name
        kNotAFile,    // a folder, a FIFO, a device: anything but a regular file
        kUnreadable,  // opened, but reading it failed
        kTooLarge,    // larger than any tune
    };
    Kind kind;
    std::string reason;
};

// Reads a whole tune file without throwing and without blocking: the kind of file is checked on
// the opened descriptor itself, so nothing can swap the file between the check and the read, and
// a FIFO is refused rather than waited on.
std::variant<std::vector<std::uint8_t>, TuneFileProblem> read_tune_file(
    const std::filesystem::path& path, std::uintmax_t max_bytes);

}  // namespace quillon::sound

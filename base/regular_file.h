#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace quillon {

// Why a file could not be read. `reason` completes "the file X ...", as in "is a folder, not a
// file".
struct FileProblem {
    enum Kind {
        kMissing,     // nothing by that name
        kNotAFile,    // a folder, a FIFO, a device: anything but a regular file
        kUnreadable,  // could not be opened, read or written
        kTooLarge,    // larger than the caller takes
    };
    Kind kind;
    std::string reason;
};

// Reads a whole regular file of at most `max_bytes` without throwing and without blocking: the
// kind of file is checked on the opened descriptor itself, so nothing can swap the file between
// the check and the read; a FIFO is refused rather than waited on, and a device or folder is
// refused without a byte read.
std::variant<std::string, FileProblem> read_regular_file(const std::filesystem::path& path,
                                                         std::uintmax_t max_bytes);

// Writes `bytes` as the whole of a regular file, made where there is none, without blocking:
// a FIFO (with or without a reader), a device, a folder or a socket is refused before a byte is
// written, and an existing file is emptied only once it is known to be a regular file. Nothing
// where the file was written.
std::optional<FileProblem> write_regular_file(const std::filesystem::path& path,
                                              std::string_view bytes);

}  // namespace quillon

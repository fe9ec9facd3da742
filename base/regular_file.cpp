#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <variant>

namespace quillon {
namespace {

std::string describe(int error) {
    return std::error_code(error, std::generic_category()).message();
}

// Closes the descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

std::string kind_of(mode_t mode) {
    if (S_ISDIR(mode)) {
        return "is a folder, not a file";
    }
    if (S_ISFIFO(mode)) {
        return "is a FIFO, not a file";
    }
    if (S_ISSOCK(mode)) {
        return "is a socket, not a file";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "is a device, not a file";
    }
    return "is not a regular file";
}

FileProblem too_large(std::uintmax_t max_bytes) {
    return {FileProblem::kTooLarge, "is larger than " + std::to_string(max_bytes) + " bytes"};
}

// What the open descriptor is, where it is a regular file.
std::variant<struct stat, FileProblem> regular_status(const Descriptor& fd) {
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return FileProblem{FileProblem::kUnreadable,
                           "could not be examined (" + describe(errno) + ")"};
    }
    if (!S_ISREG(info.st_mode)) {
        return FileProblem{FileProblem::kNotAFile, kind_of(info.st_mode)};
    }
    return info;
}

}  // namespace

std::variant<std::string, FileProblem> read_regular_file(const std::filesystem::path& path,
                                                         std::uintmax_t max_bytes) {
    // Non-blocking, so that opening a FIFO with no writer returns at once instead of waiting.
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR) {
            return FileProblem{FileProblem::kMissing, "was not found"};
        }
        return FileProblem{FileProblem::kUnreadable,
                           "could not be opened (" + describe(error) + ")"};
    }
    const auto status = regular_status(fd);
    if (const auto* problem = std::get_if<FileProblem>(&status)) {
        return *problem;
    }
    const struct stat& info = std::get<struct stat>(status);
    if (static_cast<std::uintmax_t>(info.st_size) > max_bytes) {
        return too_large(max_bytes);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[16384];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return FileProblem{FileProblem::kUnreadable,
                               "could not be read (" + describe(errno) + ")"};
        }
        if (got == 0) {
            return bytes;
        }
        // The size seen before may have changed since: the limit holds for what is read.
        if (bytes.size() + static_cast<std::size_t>(got) > max_bytes) {
            return too_large(max_bytes);
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

std::optional<FileProblem> write_regular_file(const std::filesystem::path& path,
                                              std::string_view bytes) {
    // Non-blocking, so that a FIFO without a reader is refused at once (ENXIO) rather than
    // waited on; one with a reader, or a device, is refused below once opened.
    const Descriptor fd(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0666));
    if (fd.get() < 0) {
        const int error = errno;
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            return FileProblem{FileProblem::kNotAFile, kind_of(info.st_mode)};
        }
        if (error == ENOENT || error == ENOTDIR) {
            return FileProblem{FileProblem::kMissing, "cannot be made (" + describe(error) + ")"};
        }
        return FileProblem{FileProblem::kUnreadable,
                           "could not be opened (" + describe(error) + ")"};
    }
    if (const auto status = regular_status(fd); std::holds_alternative<FileProblem>(status)) {
        return std::get<FileProblem>(status);
    }
    if (::ftruncate(fd.get(), 0) != 0) {
        return FileProblem{FileProblem::kUnreadable,
                           "could not be emptied (" + describe(errno) + ")"};
    }
    while (!bytes.empty()) {
        const ssize_t put = ::write(fd.get(), bytes.data(), bytes.size());
        if (put < 0) {
            if (errno == EINTR || errno == EAGAIN) {
                continue;
            }
            return FileProblem{FileProblem::kUnreadable,
                               "could not be written (" + describe(errno) + ")"};
        }
        bytes.remove_prefix(static_cast<std::size_t>(put));
    }
    return std::nullopt;
}

}  // namespace quillon

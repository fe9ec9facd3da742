#include "sound/tune_file.h"

#include "base/regular_file.h"

namespace quillon::sound {

static_assert(static_cast<int>(TuneFileProblem::kMissing) == FileProblem::kMissing &&
              static_cast<int>(TuneFileProblem::kNotAFile) == FileProblem::kNotAFile &&
              static_cast<int>(TuneFileProblem::kUnreadable) == FileProblem::kUnreadable &&
              static_cast<int>(TuneFileProblem::kTooLarge) == FileProblem::kTooLarge);

std::variant<std::vector<std::uint8_t>, TuneFileProblem> read_tune_file(
    const std::filesystem::path& path, std::uintmax_t max_bytes) {
    auto read = read_regular_file(path, max_bytes);
    if (const auto* problem = std::get_if<FileProblem>(&read)) {
        const auto kind = static_cast<TuneFileProblem::Kind>(problem->kind);
        return TuneFileProblem{kind, kind == TuneFileProblem::kTooLarge
                                         ? "is too large to be a tune"
                                         : problem->reason};
    }
    const std::string& bytes = std::get<std::string>(read);
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace quillon::sound

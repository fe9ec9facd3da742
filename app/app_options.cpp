#include "app/app_options.h"

#include <string_view>

namespace quillon::ui {

namespace {

constexpr std::string_view kUsage =
    "usage: quillon [--coach]\n"
    "       quillon --help | --version\n"
    "\n"
    "Video poker with a joker and a double-up, in one window.\n"
    "  --coach    opens the coach beside the table (F1 opens and closes it at any time)\n"
    "  --help     prints this and exits\n"
    "  --version  prints the version and exits\n";

}  // namespace

AppOptions read_app_options(int argc, char** argv, std::FILE* out, std::FILE* err) {
    AppOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        if (word == "--coach") {
            options.coach_at_start = true;
        } else if (word == "--help" || word == "-h") {
            std::fputs(kUsage.data(), out);
            options.exit_now = 0;
            return options;
        } else if (word == "--version") {
            std::fputs("quillon " QUILLON_VERSION "\n", out);
            options.exit_now = 0;
            return options;
        } else {
            std::fprintf(err, "error: %s '%.200s' (see quillon --help)\n",
                         word.starts_with("-") ? "unknown option" : "quillon takes no word",
                         argv[i]);
            options.exit_now = 2;
            return options;
        }
    }
    return options;
}

}  // namespace quillon::ui

// quillon-script: drives the machine from commands on standard input, one per line.
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>

#include "tools/quillon_script/script_driver.h"

namespace {

// The whole text of a scenario, or why it cannot be had. Only a regular file is a scenario: a
// folder opens as an empty stream and would pass as an empty scenario, and a FIFO would wait for
// a writer. The file is read whole first, so that a read that fails half way is an error rather
// than a shorter scenario that passes.
std::optional<std::string> read_scenario(const char* path, std::string& why) {
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::is_regular_file(status)) {
        why = !std::filesystem::exists(status)        ? "no such file"
              : std::filesystem::is_directory(status) ? "a folder, not a file"
                                                      : "not a regular file";
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"),
                                                               &std::fclose);
    if (!file) {
        why = "cannot open it";
        return std::nullopt;
    }
    std::string text;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        text.append(buffer, n);
    }
    if (std::ferror(file.get()) != 0) {
        why = "reading it failed";
        return std::nullopt;
    }
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    using quillon::ScriptMode;
    if (argc == 3 && std::string_view(argv[1]) == "--check") {
        std::string why;
        const std::optional<std::string> text = read_scenario(argv[2], why);
        if (!text) {
            std::cerr << "error: cannot read " << argv[2] << ": " << why << "\n";
            return 2;
        }
        std::istringstream in(*text);
        return quillon::run_script(in, std::cout, std::cerr, ScriptMode::check);
    }
    if (argc == 2 && std::string_view(argv[1]) == "--bless") {
        return quillon::run_script(std::cin, std::cout, std::cerr, ScriptMode::bless);
    }
    if (argc != 1) {
        std::cerr << "usage: quillon-script < commands\n"
                     "       quillon-script --check scenario.scn   compare with its \"> \" lines\n"
                     "       quillon-script --bless < commands     write the \"> \" lines\n";
        return 2;
    }
    return quillon::run_script(std::cin, std::cout, std::cerr, ScriptMode::print);
}

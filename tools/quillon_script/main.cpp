// quillon-script: drives the machine from commands on standard input, one per line.
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <variant>

#include "base/regular_file.h"
#include "base/text_file.h"

#include "tools/quillon_script/script_driver.h"

namespace {

// A scenario is a few kilobytes of commands: a file far larger is no scenario.
constexpr std::uintmax_t kMostScenarioBytes = 1024 * 1024;

// The whole text of a scenario, or why it cannot be had, as "FILE: why" or "FILE:LINE: why".
// Only a regular file is a scenario: a folder would pass as an empty scenario, and a FIFO would
// wait for a writer. The file is read whole first, so that a read that fails half way is an error
// rather than a shorter scenario that passes. Its lines are text as in every file Quillon reads;
// a byte order mark and the CR of CR LF line ends are left out.
std::optional<std::string> read_scenario(const char* path, std::string& why) {
    auto read = quillon::read_regular_file(path, kMostScenarioBytes);
    if (const auto* problem = std::get_if<quillon::FileProblem>(&read)) {
        why = std::string(path) + ": " + problem->reason;
        return std::nullopt;
    }
    std::string text;
    bool clean = true;
    quillon::for_each_text_line(
        std::get<std::string>(read), [&](int number, std::string_view line) {
            if (const std::optional<std::string> problem = quillon::line_problem(line);
                clean && problem) {
                why = std::string(path) + ":" + std::to_string(number) + ": " + *problem;
                clean = false;
            }
            text.append(line).push_back('\n');
        });
    if (!clean) {
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
            std::cerr << "error: " << quillon::printable(why, 400) << "\n";
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

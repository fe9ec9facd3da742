// quillon-script: drives the machine from commands on standard input, one per line.
#include <fstream>
#include <iostream>
#include <string_view>

#include "tools/quillon_script/script_driver.h"

int main(int argc, char** argv) {
    using quillon::ScriptMode;
    if (argc == 3 && std::string_view(argv[1]) == "--check") {
        std::ifstream file(argv[2]);
        if (!file) {
            std::cerr << "error: cannot read " << argv[2] << "\n";
            return 2;
        }
        return quillon::run_script(file, std::cout, std::cerr, ScriptMode::check);
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

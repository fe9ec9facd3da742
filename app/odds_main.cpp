#include <iostream>
#include <string_view>
#include <vector>

#include "odds/cli/odds_cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return quillon::odds::run_odds_cli(args, std::cout, std::cerr);
}

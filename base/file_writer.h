#pragma once

#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace quillon {

// The main() of a program that writes one file at build time, `PROGRAM FILE`: calls
// write(out) on the file opened for writing. write returns false where it could not write it,
// having said why on standard error. Returns the program's exit status: 2 for a wrong command
// line, 1 where the file was not written whole, else 0.
template <typename Write>
int write_file_main(int argc, char** argv, std::string_view program, Write write) {
    if (argc != 2) {
        std::cerr << "usage: " << program << " FILE\n";
        return 2;
    }
    std::ofstream out(argv[1]);
    if (!write(static_cast<std::ostream&>(out))) {
        return 1;
    }
    out.close();
    if (!out) {
        std::cerr << program << ": cannot write " << argv[1] << "\n";
        return 1;
    }
    return 0;
}

}  // namespace quillon

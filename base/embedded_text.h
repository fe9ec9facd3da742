#pragma once

#include <string_view>

namespace quillon::odds {

// A data file built into the program (cmake/embed_texts.cmake writes the table of them): its
// name, the file's stem, and its text.
struct EmbeddedText {
    std::string_view name;
    std::string_view text;
};

}  // namespace quillon::odds

#pragma once

#include <cstddef>
#include <string>

namespace quillon::odds {

// A cell of a printed table: the text, filled out with spaces to `width` on its right or its
// left; a longer text is left whole.
inline std::string pad_right(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

inline std::string pad_left(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace quillon::odds

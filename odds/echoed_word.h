#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::odds {

// A word of a pay-table file as an error message echoes it: in quotes, and cut after
// kMostEchoed bytes (at the start of a UTF-8 character) with "..." where it is longer.
inline constexpr std::size_t kMostEchoed = 40;

inline std::string echoed(std::string_view word) {
    if (word.size() <= kMostEchoed) {
        return "'" + std::string(word) + "'";
    }
    std::size_t cut = kMostEchoed;
    while (cut > 0 && (static_cast<unsigned char>(word[cut]) & 0xc0u) == 0x80u) {
        --cut;
    }
    return "'" + std::string(word.substr(0, cut)) + "...'";
}

}  // namespace quillon::odds

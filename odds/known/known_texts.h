#pragma once

#include <span>
#include <string_view>

namespace quillon::odds {

// A data file of odds/known/ built into the program: its stem and its text.
struct KnownText {
    std::string_view name;
    std::string_view text;
};

// Generated from the data files at build time.
std::span<const KnownText> known_texts();

}  // namespace quillon::odds

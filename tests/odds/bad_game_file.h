#pragma once

#include <gtest/gtest.h>

#include <string_view>

namespace quillon::odds {

// A pay-table file that must be refused, and the one error line it gets. The test reads it as
// "bad.game"; each suite that has such files instantiates BadGameFile with its own.
struct BadFile {
    std::string_view text;
    std::string_view message;
};

class BadGameFile : public ::testing::TestWithParam<BadFile> {};

}  // namespace quillon::odds

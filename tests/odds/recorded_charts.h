#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace quillon::odds {

// The text of a chart of the golden record (QUILLON_GOLDEN_RECORD, extracted by the build):
// `strategy-LINES.chart` of the game, `strategy.chart` where `lines` is empty.
inline std::string recorded_chart(const std::string& game, const std::string& lines) {
    const std::filesystem::path path = std::filesystem::path(QUILLON_GOLDEN_RECORD) / game /
                                       ("strategy" + (lines.empty() ? "" : "-" + lines) + ".chart");
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << path << " is not in the golden record";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace quillon::odds

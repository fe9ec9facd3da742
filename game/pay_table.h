#pragma once

#include <array>
#include <string_view>

namespace quillon {

// The pay table's rows, top to bottom: the value row's control name, the hand's title, and
// what the hand pays per coin (column 0 for one coin; columns 1 to 5 for 6 to 10 coins).
inline constexpr std::array<std::string_view, 9> kPayRowNames = {
    "royal", "five", "stfl", "four", "full", "flush", "straight", "three", "two"};
inline constexpr std::array<std::string_view, 9> kHandTitles = {"ROYAL STRAIGHT FLUSH",
                                                                "FIVE OF A KIND",
                                                                "STRAIGHT FLUSH",
                                                                "FOUR OF A KIND",
                                                                "FULL HOUSE",
                                                                "FLUSH",
                                                                "STRAIGHT",
                                                                "THREE OF A KIND",
                                                                "TWO PAIR"};
inline constexpr std::array<int, 9> kPayPerCoin = {1000, 500, 100, 20, 8, 5, 4, 3, 2};

// The header of column 0 for one to five coins bet with BET one.
inline constexpr std::array<std::string_view, 5> kCoinHeaders = {"1st", "2nd", "3rd", "4th", "5th"};

}  // namespace quillon

#pragma once

#include <cstdint>
#include <string_view>

namespace quillon::odds {

// A pay as written: digits / 10^places, without trailing zeros after the point.
struct Decimal {
    std::int64_t digits = 0;
    int places = 0;

    bool operator==(const Decimal&) const = default;
};

// A pay is at most 12 digits with at most 4 after the point; see docs/quillon-odds.md.
inline constexpr int kMostPlaces = 4;
inline constexpr std::int64_t kMostDigits = 1'000'000'000'000;

enum class DecimalFault : std::uint8_t { none, negative, not_a_pay, too_fine };

struct DecimalParse {
    Decimal value;
    DecimalFault fault = DecimalFault::none;
};

// A pay: digits with at most one point ("1200", "1234.5", ".25"). Zeros ending the decimals do
// not count as places.
DecimalParse parse_decimal(std::string_view text);

std::int64_t power_of_ten(int places);

}  // namespace quillon::odds

#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace quillon {

// Every meter holds a whole number from 0 to this.
inline constexpr std::int64_t kMeterMax = std::numeric_limits<std::int32_t>::max();

// The number a meter caption shows. The machine only writes plain decimal integers; any
// other text reads as 0 and a longer number as the largest a meter holds.
std::int64_t meter_value(std::string_view caption);

// A meter caption: plain decimal digits, held within 0 to kMeterMax.
std::string meter_text(std::int64_t value);

}  // namespace quillon

#pragma once

#include <cstdint>
#include <string>

#include "base/wide.h"

namespace quillon::odds {

// "a/b" in lowest terms ("0/1" for nothing, "3" for a whole number).
std::string fraction(Wide numerator, Wide denominator);
std::string fixed(double value, int decimals);
// A pay in pay units, per coin: "800", "0.5", or a fraction where decimals do not end.
std::string pay_text(std::int64_t pay, std::int64_t scale);

}  // namespace quillon::odds

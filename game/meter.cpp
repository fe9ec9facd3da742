#include "game/meter.h"

#include <algorithm>

namespace quillon {

std::int64_t meter_value(std::string_view caption) {
    if (caption.empty()) {
        return 0;
    }
    std::int64_t value = 0;
    for (const char ch : caption) {
        if (ch < '0' || ch > '9') {
            return 0;
        }
        value = std::min(value * 10 + (ch - '0'), kMeterMax);
    }
    return value;
}

std::string meter_text(std::int64_t value) {
    return std::to_string(std::clamp<std::int64_t>(value, 0, kMeterMax));
}

}  // namespace quillon

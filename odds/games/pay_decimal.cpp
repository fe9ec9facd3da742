#include "odds/games/pay_decimal.h"

namespace quillon::odds {

DecimalParse parse_decimal(std::string_view text) {
    if (text.starts_with('-')) {
        return {{}, DecimalFault::negative};
    }
    Decimal d;
    bool point = false;
    bool any = false;
    int zeros = 0;  // zeros after the point not yet followed by another digit
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            any = true;
            if (point && c == '0') {
                ++zeros;
                continue;
            }
            // Each digit is refused before it could pass the largest pay, so that no run of
            // zeros can overflow the digits.
            const auto shift_in = [&d](int digit, bool place) {
                if (d.digits > (kMostDigits - 1 - digit) / 10 ||
                    d.places + (place ? 1 : 0) > kMostPlaces) {
                    return false;
                }
                d.digits = d.digits * 10 + digit;
                d.places += place ? 1 : 0;
                return true;
            };
            for (; zeros > 0; --zeros) {
                if (!shift_in(0, true)) {
                    return {{}, DecimalFault::too_fine};
                }
            }
            if (!shift_in(c - '0', point)) {
                return {{}, DecimalFault::too_fine};
            }
        } else {
            return {{}, DecimalFault::not_a_pay};
        }
    }
    if (!any) {
        return {{}, DecimalFault::not_a_pay};
    }
    return {d, DecimalFault::none};
}

std::int64_t power_of_ten(int places) {
    std::int64_t p = 1;
    for (int i = 0; i < places; ++i) {
        p *= 10;
    }
    return p;
}

}  // namespace quillon::odds

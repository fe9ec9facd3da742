#include "odds/pay_decimal.h"

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
            for (; zeros > 0; --zeros) {
                d.digits *= 10;
                ++d.places;
            }
            d.digits = d.digits * 10 + (c - '0');
            d.places += point ? 1 : 0;
            if (d.digits >= kMostDigits || d.places > kMostPlaces) {
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

#pragma once

#include <cstdint>

namespace quillon::odds {

// x to the power n, by squaring: for the generating functions at complex points and at real
// ones alike.
template <class T>
T integer_power(T x, std::int64_t n) {
    if (n < 0) {
        return T{1} / integer_power(x, -n);
    }
    T out{1};
    while (n > 0) {
        if ((n & 1) != 0) {
            out *= x;
        }
        x *= x;
        n >>= 1;
    }
    return out;
}

}  // namespace quillon::odds

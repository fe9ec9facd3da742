#include "odds/report/figures.h"

#include <array>
#include <cstdio>

namespace quillon::odds {

namespace {

Wide gcd(Wide a, Wide b) {
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

std::string decimal(Wide value) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return text;
}

}  // namespace

std::string fraction(Wide numerator, Wide denominator) {
    const Wide g = gcd(numerator, denominator);
    const Wide n = g == 0 ? 0 : numerator / g;
    const Wide d = g == 0 ? 1 : denominator / g;
    return d == 1 ? decimal(n) : decimal(n) + "/" + decimal(d);
}

std::string fixed(double value, int decimals) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    return buffer.data();
}

std::string pay_text(std::int64_t pay, std::int64_t scale) {
    const auto p = static_cast<Wide>(pay);
    const auto s = static_cast<Wide>(scale);
    if (p % s == 0) {
        return decimal(p / s);
    }
    // Up to four decimals where they end; the fraction otherwise.
    Wide tenths = 1;
    for (int places = 1; places <= 4; ++places) {
        tenths *= 10;
        if (p * tenths % s == 0) {
            std::string digits = decimal(p * tenths / s);
            digits.insert(
                0,
                static_cast<std::size_t>(places + 1) -
                    std::min<std::size_t>(digits.size(), static_cast<std::size_t>(places + 1)),
                '0');
            digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
            return digits;
        }
    }
    return fraction(p, s);
}

}  // namespace quillon::odds

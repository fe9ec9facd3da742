#pragma once

#include <cstdio>
#include <string>

// A double in the seventeen digits that read back as the very same double.
inline std::string exact_number(double x) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", x);
    return buffer;
}

#include "tools/artwork/guilloche.h"

#include <cmath>
#include <numbers>

namespace art {

Path rosette(double cx, double cy, double R, double r, double d, int turns, int steps) {
    Path p;
    const double k = (R - r) / r;
    const double span = 2.0 * std::numbers::pi * turns;
    for (int i = 0; i <= steps; ++i) {
        double t = span * i / steps;
        double x = cx + (R - r) * std::cos(t) + d * std::cos(k * t);
        double y = cy + (R - r) * std::sin(t) - d * std::sin(k * t);
        if (i == 0) {
            p.M(x, y);
        } else {
            p.L(x, y);
        }
    }
    return p.Z();
}

Path wave_ring(double cx, double cy, double r0, double amp, int waves, double phase, int steps) {
    Path p;
    for (int i = 0; i < steps; ++i) {
        double t = 2.0 * std::numbers::pi * i / steps;
        double r = r0 + amp * std::sin(waves * t + phase);
        double x = cx + r * std::cos(t);
        double y = cy + r * std::sin(t);
        if (i == 0) {
            p.M(x, y);
        } else {
            p.L(x, y);
        }
    }
    return p.Z();
}

Path wave_line(double x0, double x1, double y, double amp, double period, double phase) {
    Path p;
    const int steps = static_cast<int>((x1 - x0) / 2.0) + 1;
    for (int i = 0; i <= steps; ++i) {
        double x = x0 + (x1 - x0) * i / steps;
        double v = y + amp * std::sin(2.0 * std::numbers::pi * (x - x0) / period + phase);
        if (i == 0) {
            p.M(x, v);
        } else {
            p.L(x, v);
        }
    }
    return p;
}

Path lattice(double x0, double y0, double x1, double y1, double slope, double step) {
    Path p;
    const double span = (x1 - x0) + (y1 - y0);
    for (double c = -span; c <= span * 2; c += step) {
        // Parametrise by y; keep the part whose x lies in [x0, x1].
        double ya = y0;
        double yb = y1;
        double xa = ya * slope + c;
        double xb = yb * slope + c;
        auto y_at = [&](double x) { return (x - c) / slope; };
        if (xa < x0) {
            ya = y_at(x0);
        } else if (xa > x1) {
            ya = y_at(x1);
        }
        if (xb < x0) {
            yb = y_at(x0);
        } else if (xb > x1) {
            yb = y_at(x1);
        }
        if (yb - ya < 0.5) {
            continue;
        }
        p.M(ya * slope + c, ya).L(yb * slope + c, yb);
    }
    return p;
}

}  // namespace art

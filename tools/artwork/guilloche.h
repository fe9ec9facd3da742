// Engine-turned line patterns: rosettes and waves computed point by point.
#pragma once

#include "tools/artwork/svg.h"

namespace art {

// Hypotrochoid centred at (cx, cy) with fixed radius R, rolling radius r and
// pen distance d, closed after `turns` laps of the rolling circle.
Path rosette(double cx, double cy, double R, double r, double d, int turns, int steps);

// A closed ring whose radius oscillates `waves` times between r0 - amp and r0 + amp,
// rotated by `phase` radians.
Path wave_ring(double cx, double cy, double r0, double amp, int waves, double phase, int steps);

// Sine wave along a horizontal line from x0 to x1.
Path wave_line(double x0, double x1, double y, double amp, double period, double phase);

// Diagonal lines x = y * slope + c (slope +1 or -1) every `step`, clipped to a rectangle.
Path lattice(double x0, double y0, double x1, double y1, double slope, double step);

}  // namespace art

#pragma once

#include <functional>

namespace quillon::odds {

// The root z in (0, 1) of E[z^X] = 1, the characteristic equation of a walk whose step X rises
// on average, from excess(z) = E[z^X] - 1: that is convex, 0 at z = 1 with the slope E[X] > 0
// there, so it is negative just below 1 and positive near 0, and the root is bisected between,
// in long double, until the two ends are neighbouring numbers. Every figure of ruin without end
// takes its root from here, whatever the walk: one hand, a round of N hands, or a round's whole
// distribution; the caller says 1 for a walk that does not rise.
double walk_root(const std::function<long double(long double z)>& excess);

}  // namespace quillon::odds

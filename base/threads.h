#pragma once

namespace quillon::odds {

// How many threads the engine's whole-game work runs on when the caller does not say: the
// machine's cores, or QUILLON_THREADS where it is set to a whole number from 1 up (read once, at
// the first call). Never less than one. Every figure comes out the same on any number.
unsigned default_threads();

}  // namespace quillon::odds

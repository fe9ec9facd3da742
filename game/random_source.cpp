#include "game/random_source.h"

#include <chrono>

namespace quillon {

SeededRandom::SeededRandom()
    : engine_(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count())) {}

}  // namespace quillon

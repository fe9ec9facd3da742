#pragma once

#include <cstdint>
#include <random>

namespace quillon {

// The one uniform generator of the machine; only the deck draws from it.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A number in [0, 1).
    virtual double next_unit() = 0;
};

// A 64-bit Mersenne twister: seeded from the clock by default, or with a fixed seed.
class SeededRandom final : public RandomSource {
  public:
    SeededRandom();
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    void reseed(std::uint64_t seed) { engine_.seed(seed); }
    double next_unit() override {
        // 53 random bits make every double in [0, 1) on an even grid.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

  private:
    std::mt19937_64 engine_;
};

}  // namespace quillon

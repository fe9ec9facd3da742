#pragma once

#include <algorithm>
#include <cmath>

namespace quillon::sound {

// Keeps the music's few loudest moments (a trumpet's accent on a full chord) under a ceiling,
// so the tunes can sit at a proper level without clipping. The gain drops at once to what a
// sample needs and recovers over a fifth of a second; the tunes meet it only on a handful of
// peaks, a couple of decibels at most.
class PeakLimiter {
  public:
    static constexpr float kCeiling = 0.8414f;  // -1.5 dBFS

    explicit PeakLimiter(double sample_rate)
        : recovery_(static_cast<float>(1.0 / (0.2 * sample_rate))) {}

    void process(float* left, float* right, int frames) {
        for (int i = 0; i < frames; ++i) {
            const float level = std::max(std::fabs(left[i]), std::fabs(right[i]));
            gain_ = std::min(1.0f, gain_ + (1.0f - gain_) * recovery_);
            if (level * gain_ > kCeiling) {
                gain_ = kCeiling / level;
            }
            left[i] *= gain_;
            right[i] *= gain_;
        }
    }

  private:
    float recovery_;
    float gain_ = 1.0f;
};

}  // namespace quillon::sound

#include "sound/synth_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <memory>

#include "sound/realtime_threads.h"

namespace quillon::sound {
namespace {

// How the output winds down after a stop: the released notes ring on under a fade of this
// length, long enough to hear as a natural release rather than a cut.
constexpr double kFadeSeconds = 0.3;
// A closed device falls silent this fast: quick, yet not a click.
constexpr double kQuickFadeSeconds = 0.005;
// Once faded out, the synthesizer keeps rendering unheard until its reverb has died down (or
// this long at most), so that nothing of the old music comes back at the next start.
constexpr double kFlushSeconds = 2.0;
constexpr float kQuietPeak = 1e-4f;  // -80 dBFS
// Besides the device's own buffer, this much silence is rendered before the release, so the
// end of the fade has surely been heard.
constexpr double kMarginSeconds = 0.1;

double sample_rate(const SynthEngine& engine) {
    double rate = 44100.0;
    fluid_settings_getnum(engine.settings(), "synth.sample-rate", &rate);
    return rate;
}

}  // namespace

SynthOutput::SynthOutput(SynthEngine& engine, OutputConfig config, PostToWindow post)
    : engine_(engine),
      config_(std::move(config)),
      post_(std::move(post)),
      limiter_(sample_rate(engine)) {
    const double rate = sample_rate(engine);
    const int buffered = config_.period_size * std::max(config_.periods, 2);
    drain_frames_ = buffered + static_cast<long>(kMarginSeconds * rate);
    fade_step_ = static_cast<float>(1.0 / (kFadeSeconds * rate));
    quick_fade_step_ = static_cast<float>(1.0 / (kQuickFadeSeconds * rate));
    flush_frames_ = static_cast<long>(kFlushSeconds * rate);
}

SynthOutput::~SynthOutput() {
    driver_.reset();
}

std::string SynthOutput::acquire() {
    if (open_) {
        return {};
    }
    if (config_.output == AudioOutput::Pulled) {
        open_ = true;
        return {};
    }
    engine_.apply_setting("audio.period-size", std::to_string(config_.period_size));
    engine_.apply_setting("audio.periods", std::to_string(config_.periods));
    std::string ignored;
    for (const auto& [name, value] : config_.settings) {
        if (!engine_.apply_setting(name, value)) {
            ignored += ", " + name + "=" + value + " was refused";
        }
    }
    std::string tried;
    for (const auto& driver : config_.drivers) {
        tried += (tried.empty() ? "" : ", ") + driver;
        if (!engine_.apply_setting("audio.driver", driver)) {
            continue;  // not built into this FluidSynth
        }
        driver_.reset(new_fluid_audio_driver2(engine_.settings(), driver_callback, this));
        if (driver_) {
            int priority = 60;
            fluid_settings_getint(engine_.settings(), "audio.realtime-prio", &priority);
            if (priority > 1) {
                raise_audio_io_threads(priority - 1);  // just below FluidSynth's own thread
            }
            open_ = true;
            return {};
        }
    }
    return "the audio output could not be opened (FluidSynth audio drivers tried: " +
           (tried.empty() ? std::string("none") : tried) + ignored + ")";
}

void SynthOutput::start() {
    playing_.store(true);
    changes_.fetch_add(1);
}

void SynthOutput::idle(bool at_once) {
    at_once_.store(at_once);
    playing_.store(false);
    changes_.fetch_add(1);
}

void SynthOutput::render(std::span<float> left, std::span<float> right) {
    const std::size_t frames = std::min(left.size(), right.size());
    if (!open_) {
        std::fill_n(left.begin(), frames, 0.0f);
        std::fill_n(right.begin(), frames, 0.0f);
        return;
    }
    process(left.data(), right.data(), static_cast<int>(frames));
}

int SynthOutput::driver_callback(void* data, int frames, int nfx, float* fx[], int nout,
                                 float* out[]) {
    for (int i = 0; i < nfx; ++i) {
        std::fill_n(fx[i], frames, 0.0f);
    }
    for (int i = 0; i < nout; ++i) {
        std::fill_n(out[i], frames, 0.0f);
    }
    if (nout >= 2) {
        static_cast<SynthOutput*>(data)->process(out[0], out[1], frames);
    }
    return FLUID_OK;
}

void SynthOutput::process(float* left, float* right, int frames) noexcept {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    const std::lock_guard lock(render_mutex_);
    const bool playing = playing_.load();
    const std::uint64_t change = changes_.load();
    if (!playing && quiet_) {
        // Silence until the fade has been heard, then the output can go.
        quiet_frames_ += frames;
        if (quiet_frames_ >= drain_frames_ && asked_for_ != change) {
            asked_for_ = change;
            ask_release(change);
        }
        return;
    }
    if (playing && (quiet_ || gain_ == 0.0f)) {
        // Nothing is heard yet, so the music comes in at full level from its first note; what
        // still rang unheard from before is cut.
        if (!quiet_) {
            fluid_synth_all_sounds_off(engine_.synth(), -1);
        }
        gain_ = 1.0f;
        quiet_ = false;
    }
    quiet_frames_ = 0;
    if (playing) {
        ringing_frames_ = 0;
    } else {
        ringing_frames_ += frames;
    }

    // Reverb and chorus are mixed into the two channels, as FluidSynth's drivers do.
    std::array<float*, 2> dry = {left, right};
    std::array<float*, 4> effects = {left, right, left, right};
    fluid_synth_process(engine_.synth(), frames, 4, effects.data(), 2, dry.data());

    const float target = playing ? 1.0f : 0.0f;
    const float step = !playing && at_once_.load() ? quick_fade_step_ : fade_step_;
    float loudest = 0.0f;
    for (int i = 0; i < frames; ++i) {
        loudest = std::max({loudest, std::fabs(left[i]), std::fabs(right[i])});
        if (gain_ != target) {
            gain_ = playing ? std::min(1.0f, gain_ + step) : std::max(0.0f, gain_ - step);
        }
        left[i] *= gain_;
        right[i] *= gain_;
    }
    limiter_.process(left, right, frames);
    if (!playing && gain_ == 0.0f && (loudest < kQuietPeak || ringing_frames_ >= flush_frames_)) {
        fluid_synth_all_sounds_off(engine_.synth(), -1);
        quiet_ = true;
    }
}

void SynthOutput::ask_release(std::uint64_t idle_since) noexcept {
    if (!post_) {
        return;
    }
    try {
        std::weak_ptr<int> alive = alive_;
        post_([this, alive, idle_since] {
            if (alive.lock()) {
                release(idle_since);
            }
        });
    } catch (...) {
        // Out of memory on the audio thread: the output stays open, which costs only CPU.
    }
}

void SynthOutput::release(std::uint64_t idle_since) {
    if (playing_.load() || changes_.load() != idle_since || !open_) {
        return;  // started again, or stopped anew, since the audio thread asked
    }
    driver_.reset();
    open_ = false;
}

}  // namespace quillon::sound

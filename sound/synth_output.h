#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>

#include "sound/peak_limiter.h"
#include "sound/sound_options.h"
#include "sound/synth_engine.h"

namespace quillon::sound {

// The synthesizer's way out to the speakers: a FluidSynth audio driver that calls back into
// render() on its own thread, or, for AudioOutput::Pulled, whoever calls render().
//
// The output is held only while there is music to hear. When the music stops or pauses the
// audio thread lets the released notes ring out, fades what is left, renders silence until the
// fade has been heard, and then asks the window's thread (through `post`) to release the output:
// a stopped game then costs no CPU at all. The next start opens it again; the synthesizer is
// quiet by then, so the first notes come in whole, without a click.
class SynthOutput {
  public:
    SynthOutput(SynthEngine& engine, OutputConfig config, PostToWindow post);
    ~SynthOutput();
    SynthOutput(const SynthOutput&) = delete;
    SynthOutput& operator=(const SynthOutput&) = delete;

    // Opens the output unless it is open; returns why it could not, or an empty string.
    std::string acquire();
    // Music is playing: full level, and no release.
    void start();
    // Music has stopped: fade out and release once quiet. With nobody to post to, the output
    // stays open. `at_once` fades in a few milliseconds instead, for a device being closed.
    void idle(bool at_once = false);
    bool is_open() const { return open_; }

    // Held by the window's thread while it makes or deletes a MIDI player: FluidSynth must not
    // render meanwhile.
    std::unique_lock<std::mutex> exclusive() { return std::unique_lock(render_mutex_); }

    // For AudioOutput::Pulled: the next frames, as the audio thread would render them (silence
    // once released).
    void render(std::span<float> left, std::span<float> right);

  private:
    static int driver_callback(void* data, int frames, int nfx, float* fx[], int nout,
                               float* out[]);
    void process(float* left, float* right, int frames) noexcept;
    void ask_release(std::uint64_t idle_since) noexcept;
    void release(std::uint64_t idle_since);

    SynthEngine& engine_;
    const OutputConfig config_;
    PostToWindow post_;
    long drain_frames_ = 0;
    long flush_frames_ = 0;
    float fade_step_ = 0.0f;
    float quick_fade_step_ = 0.0f;
    DriverPtr driver_;
    // Window's thread only: the driver, or the pulled output, is running.
    bool open_ = false;

    std::mutex render_mutex_;
    std::atomic<bool> playing_{false};
    std::atomic<bool> at_once_{false};
    // Counts every start() and idle(), so a release asked for before a later start is dropped.
    std::atomic<std::uint64_t> changes_{0};

    // The audio thread's own state, touched only under render_mutex_.
    float gain_ = 1.0f;
    PeakLimiter limiter_;
    bool quiet_ = true;        // faded out and every voice cut
    long ringing_frames_ = 0;  // rendered since the stop, while the notes ring out
    long quiet_frames_ = 0;    // silence rendered since the fade ended
    std::uint64_t asked_for_ = ~std::uint64_t{0};  // the change a release was asked for

    // Release tasks posted to the window find it expired once the output is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace quillon::sound

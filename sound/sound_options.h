#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sound/soundfont_search.h"
#include "sound/tune_search.h"

namespace quillon::sound {

// How the synthesizer is built. The defaults were chosen by measurement (see synth_engine.cpp).
struct SynthConfig {
    // Searched in order; see find_soundfonts().
    std::vector<std::filesystem::path> soundfonts = default_soundfont_places();
    double sample_rate = 44100.0;
    // The tunes hold at most 44 (BGM1) and 56 (BGM2) voices at once; the headroom keeps release
    // tails from being stolen where a tune loops.
    int polyphony = 96;
    // Load only the samples of the instruments a tune uses, on the window's thread when the tune
    // is opened, instead of the whole SoundFont at start-up.
    bool dynamic_sample_loading = true;
    // Master gain: with it BGM1 averages about -18.5 dBFS (RMS) and BGM2 about -17.3; the peak
    // limiter on the output holds the loudest moments at -1.5 dBFS.
    double gain = 0.95;
    bool reverb = true;
    bool chorus = true;
};

enum class AudioOutput {
    // A FluidSynth audio driver plays the music on its own thread.
    Device,
    // No driver: whoever owns the control pulls the audio through render(). For tests and tools.
    Pulled,
};

struct OutputConfig {
    AudioOutput output = AudioOutput::Device;
    // FluidSynth audio drivers tried in order until one opens. PulseAudio first since desktops
    // (PipeWire included) serve it; plain ALSA for the rest. JACK is left out on purpose: trying
    // it can start a JACK server.
    std::vector<std::string> drivers = {"pulseaudio", "alsa"};
    // Further FluidSynth settings applied before the driver opens, such as
    // {"audio.alsa.device", "null"}. Numbers are given as text.
    std::vector<std::pair<std::string, std::string>> settings;
    // FluidSynth's PulseAudio driver sizes its whole buffer from the period alone: 4096 frames
    // (93 ms at 44.1 kHz) keep the music going under two busy threads of other work at under
    // 2 % of a core, and a tune switch is still heard within 0.1-0.2 s.
    int period_size = 4096;
    int periods = 2;
};

// Runs a task on the window's thread. Called from the audio thread, so it must be thread-safe
// and must not run the task in place; a Qt window implements it with a queued call.
using PostToWindow = std::function<void(std::function<void()>)>;

struct FluidSynthOptions {
    SynthConfig synth;
    // Where a tune named by a bare name is looked for when the current folder has none; see
    // find_tune().
    std::vector<std::filesystem::path> tune_folders = installed_data_folders();
    OutputConfig output;
    PostToWindow post;
    // Load the SoundFont, and the instruments of these tunes, on a thread of their own from the
    // moment the control is made, so that the window is built meanwhile and the first Open only
    // waits for what is left. Empty: everything is loaded by the first Open.
    bool load_in_background = false;
    std::vector<std::filesystem::path> warm_tunes;
};

}  // namespace quillon::sound

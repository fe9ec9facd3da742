#pragma once

#include <fluidsynth.h>

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

#include "sound/midi_file.h"
#include "sound/sound_options.h"

namespace quillon::sound {

template <auto Delete>
struct FluidDeleter {
    template <class T>
    void operator()(T* p) const {
        Delete(p);
    }
};
using SettingsPtr = std::unique_ptr<fluid_settings_t, FluidDeleter<delete_fluid_settings>>;
using SynthPtr = std::unique_ptr<fluid_synth_t, FluidDeleter<delete_fluid_synth>>;
using PlayerPtr = std::unique_ptr<fluid_player_t, FluidDeleter<delete_fluid_player>>;
using DriverPtr = std::unique_ptr<fluid_audio_driver_t, FluidDeleter<delete_fluid_audio_driver>>;

// FluidSynth's settings and synthesizer with a General MIDI SoundFont loaded. Built once and kept
// while the game runs, so switching tunes never reloads the SoundFont.
class SynthEngine {
    // Lets only create() build one, while still allowing std::make_unique.
    class Key {
        friend class SynthEngine;
        Key() = default;
    };

  public:
    explicit SynthEngine(Key) {}

    // Fails with a message that names every place searched, or the SoundFonts that would not load.
    static std::variant<std::unique_ptr<SynthEngine>, std::string> create(
        const SynthConfig& config);

    SynthEngine(const SynthEngine&) = delete;
    SynthEngine& operator=(const SynthEngine&) = delete;
    ~SynthEngine();

    fluid_settings_t* settings() const { return settings_.get(); }
    fluid_synth_t* synth() const { return synth_.get(); }
    const std::filesystem::path& soundfont() const { return soundfont_; }

    // Selects the tune's instruments on their channels and pins their samples, so they are read
    // from disk here, on the caller's thread, and stay loaded: the player's own program changes on
    // the audio thread then find them in memory.
    void prepare_for(const MidiFile& tune);

    // Cuts every sound and resets the controllers, leaving the instruments loaded.
    void silence();

    // Applies a FluidSynth setting given as text to a string, integer or number setting.
    bool apply_setting(const std::string& name, const std::string& value);

  private:
    // The synth is deleted before the settings it was made from.
    SettingsPtr settings_;
    SynthPtr synth_;
    int sfont_id_ = -1;
    std::filesystem::path soundfont_;
};

}  // namespace quillon::sound

#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <variant>

#include "game/media_control.h"
#include "sound/playback_session.h"
#include "sound/sound_options.h"
#include "sound/synth_engine.h"
#include "sound/synth_output.h"

namespace quillon::sound {

// The table's music device, played by FluidSynth. Device type "Sequencer" opens a Standard MIDI
// File by the name given (relative to the current folder, else found in the game's installed
// data folders, see find_tune()) and plays it through a FluidSynth MIDI player and audio driver.
//
// Every call comes from the window's thread. When a tune reaches its end the audio thread hands
// the news to options.post; the task it posts sets the mode to stopped and raises the status
// event on the window's thread. Without a post hook the end is not reported and the tune simply
// plays on from the top.
class FluidSynthMediaControl : public quillon::MediaControl {
  public:
    // Why the last command failed; error() returns these values.
    enum Error : int {
        kNone = 0,
        kNotOpen = 1,            // a command other than Open on a device that is not open
        kUnknownCommand = 2,     // not one of Open, Play, Stop, pause, Close
        kUnsupportedDevice = 3,  // a device type other than Sequencer
        kFileMissing = 4,        // no file by that name, or it cannot be read
        kNotMidi = 5,            // the file is not a Standard MIDI File
        kNoSoundFont = 6,        // no usable SoundFont in the places searched
        kAudioOutput = 7,        // no audio driver would open
        kSynth = 8,              // FluidSynth failed on its own (out of memory and the like)
    };

    explicit FluidSynthMediaControl(FluidSynthOptions options = {});
    ~FluidSynthMediaControl() override;
    FluidSynthMediaControl(const FluidSynthMediaControl&) = delete;
    FluidSynthMediaControl& operator=(const FluidSynthMediaControl&) = delete;

    void set_device_type(std::string_view type) override;
    void set_file_name(std::string_view file) override;
    // Accepted and ignored. The end of a tune is always reported, no command ever blocks (a Play
    // that waited for the end would freeze the window for the length of the tune), and the
    // device is the game's alone.
    void set_notify(bool on) override;
    void set_wait(bool on) override;
    void set_shareable(bool on) override;
    // Where the next Play starts, counted in MIDI ticks from 1 (1 is the start of the tune). It
    // applies to that one Play only; a Play without it continues where Stop or pause left off.
    void set_start_position(std::int32_t position) override;

    void command(MediaCommand command) override;
    // A command by its word, in any case: "Open", "play", ... An unknown word sets the error.
    void command(std::string_view word);

    int error() const override { return error_; }
    std::string error_message() const override { return error_message_; }
    std::int32_t mode() const override { return mode_; }

    // For AudioOutput::Pulled: renders the next frames of the open tune (silence when closed).
    void render(std::span<float> left, std::span<float> right);

    // The SoundFont in use, empty until the first successful Open.
    std::string soundfont() const;

    // Whether the audio output is held. It is let go a moment after the music stops or pauses,
    // once its fade has been heard, and taken again by the next Play.
    bool output_open() const { return output_ && output_->is_open(); }

  private:
    void open();
    void play();
    void stop();
    void pause();
    void close();
    void fail(Error code, std::string message);
    bool ensure_engine();
    void tune_ended(std::uint64_t generation);
    void end_session();

    FluidSynthOptions options_;
    std::string device_type_;
    std::string file_name_;
    std::optional<std::int32_t> start_position_;

    Error error_ = kNone;
    std::string error_message_;
    std::pair<Error, std::string> open_failure_{};  // the last Open's error, kNone after a good one
    std::int32_t mode_ = kModeNotOpen;
    // Counts every Play, Stop, pause and Close, so a report of an end that was overtaken by one
    // of them is recognised as stale.
    std::uint64_t generation_ = 0;

    std::unique_ptr<SynthEngine> engine_;
    std::unique_ptr<SynthOutput> output_;
    // The engine being built in the background: `loaded_` is the loader's until it is joined.
    std::thread loader_;
    std::variant<std::unique_ptr<SynthEngine>, std::string> loaded_;
    std::unique_ptr<PlaybackSession> session_;
    // Tasks posted to the window hold a weak reference to this; once the control is gone they
    // find it expired and do nothing.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace quillon::sound

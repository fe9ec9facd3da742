#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quillon {

// The commands the machine writes into the music device.
enum class MediaCommand : std::uint8_t { open, play, stop, pause, close };

inline constexpr std::array<MediaCommand, 5> kMediaCommands = {
    MediaCommand::open, MediaCommand::play, MediaCommand::stop, MediaCommand::pause,
    MediaCommand::close};

// The command as the platform's multimedia control spells it.
constexpr std::string_view media_command_word(MediaCommand command) {
    constexpr std::array<std::string_view, 5> kWords = {"Open", "Play", "Stop", "pause", "Close"};
    return kWords[static_cast<std::size_t>(command)];
}

// The device type written before every open, and the two tunes, opened by bare name from the
// current folder: the ordinary game's and the one played while a win is offered.
inline constexpr std::string_view kSequencer = "Sequencer";
inline constexpr std::string_view kOrdinaryTune = "BGM1.mid";
inline constexpr std::string_view kWinTune = "BGM2.mid";

// The music device the table window drives: a MIDI sequencer that opens a file, plays, stops,
// pauses (a second "pause" resumes) and closes. The machine only writes properties and commands;
// the device raises a status event, at least when a tune reaches its end.
class MediaControl {
  public:
    // Device modes as the platform's multimedia control reports them.
    static constexpr std::int32_t kModeNotOpen = 524;
    static constexpr std::int32_t kModeStopped = 525;
    static constexpr std::int32_t kModePlaying = 526;
    static constexpr std::int32_t kModePaused = 529;

    virtual ~MediaControl() = default;

    virtual void set_device_type(std::string_view type) = 0;
    virtual void set_file_name(std::string_view file) = 0;
    // The three open options, set once before the first "Open".
    virtual void set_notify(bool on) = 0;
    virtual void set_wait(bool on) = 0;
    virtual void set_shareable(bool on) = 0;
    virtual void set_start_position(std::int32_t position) = 0;

    virtual void command(MediaCommand command) = 0;

    // 0 when the last command succeeded.
    virtual int error() const = 0;
    virtual std::string error_message() const = 0;
    virtual std::int32_t mode() const = 0;

    // The status event. The device calls it on the window's thread, never from an audio thread.
    void on_status(std::function<void()> handler) { status_handler_ = std::move(handler); }

  protected:
    void raise_status() const {
        if (status_handler_) {
            status_handler_();
        }
    }

  private:
    std::function<void()> status_handler_;
};

}  // namespace quillon

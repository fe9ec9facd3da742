#include "sound/fluidsynth_media_control.h"

#include <algorithm>
#include <cctype>
#include <exception>
#include <filesystem>
#include <system_error>
#include <vector>

#include "sound/midi_file.h"
#include "sound/tune_file.h"
#include "sound/tune_search.h"

namespace quillon::sound {
namespace {

bool same_word(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Our tunes are a few kilobytes; anything past this is not background music.
constexpr std::uintmax_t kMaxTuneBytes = 4u << 20;

}  // namespace

namespace {

// Builds the engine and pins the instruments of the warm tunes. The engine is nobody else's until
// the future hands it over, so this may run on any thread.
std::variant<std::unique_ptr<SynthEngine>, std::string> build_engine(
    const SynthConfig& config, const std::vector<std::filesystem::path>& warm_tunes) {
    auto made = SynthEngine::create(config);
    if (auto* engine = std::get_if<std::unique_ptr<SynthEngine>>(&made)) {
        for (const auto& path : warm_tunes) {
            // A tune that cannot be read or parsed is only not warmed: its Open says why.
            const auto read = read_tune_file(path, kMaxTuneBytes);
            const auto* bytes = std::get_if<std::vector<std::uint8_t>>(&read);
            if (bytes == nullptr) {
                continue;
            }
            const auto parsed = parse_midi(*bytes);
            if (const auto* tune = std::get_if<MidiFile>(&parsed)) {
                (*engine)->prepare_for(*tune);
            }
        }
    }
    return made;
}

// The loader's thread body: nothing it meets may escape the thread, or the process would end.
std::variant<std::unique_ptr<SynthEngine>, std::string> build_engine_guarded(
    const SynthConfig& config, const std::vector<std::filesystem::path>& warm_tunes) {
    try {
        return build_engine(config, warm_tunes);
    } catch (const std::exception& e) {
        return std::string("the synthesizer could not be prepared: ") + e.what();
    } catch (...) {
        return std::string("the synthesizer could not be prepared");
    }
}

}  // namespace

FluidSynthMediaControl::FluidSynthMediaControl(FluidSynthOptions options)
    : options_(std::move(options)) {
    for (auto& tune : options_.warm_tunes) {
        tune = find_tune(tune, options_.tune_folders);
    }
    if (options_.load_in_background) {
        loader_ = std::thread(
            [this] { loaded_ = build_engine_guarded(options_.synth, options_.warm_tunes); });
    }
}

FluidSynthMediaControl::~FluidSynthMediaControl() {
    if (loader_.joinable()) {
        loader_.join();
    }
    end_session();
    output_.reset();
}

void FluidSynthMediaControl::set_device_type(std::string_view type) {
    device_type_ = type;
}
void FluidSynthMediaControl::set_file_name(std::string_view file) {
    file_name_ = file;
}
void FluidSynthMediaControl::set_notify(bool) {}
void FluidSynthMediaControl::set_wait(bool) {}
void FluidSynthMediaControl::set_shareable(bool) {}
void FluidSynthMediaControl::set_start_position(std::int32_t position) {
    start_position_ = position;
}

void FluidSynthMediaControl::command(std::string_view word) {
    for (const MediaCommand known : kMediaCommands) {
        if (same_word(word, media_command_word(known))) {
            command(known);
            return;
        }
    }
    fail(kUnknownCommand, "unknown music command \"" + std::string(word) +
                              "\" (the device knows Open, Play, Stop, pause and Close)");
}

void FluidSynthMediaControl::command(MediaCommand command) {
    error_ = kNone;
    error_message_.clear();
    if (command == MediaCommand::open) {
        open();
        open_failure_ = {error_, error_message_};
        return;
    }
    if (!session_) {
        // After a failed Open the device keeps saying why it could not open, so the error read
        // after the following Play names the real cause.
        if (open_failure_.first != kNone) {
            fail(open_failure_.first, open_failure_.second);
        } else {
            fail(kNotOpen, "cannot " + std::string(media_command_word(command)) +
                               ": the music device is not open");
        }
        return;
    }
    switch (command) {
        case MediaCommand::play:
            return play();
        case MediaCommand::stop:
            return stop();
        case MediaCommand::pause:
            return pause();
        case MediaCommand::close:
            return close();
        case MediaCommand::open:
            break;
    }
}

void FluidSynthMediaControl::fail(Error code, std::string message) {
    error_ = code;
    error_message_ = std::move(message);
}

bool FluidSynthMediaControl::ensure_engine() {
    if (engine_) {
        return true;
    }
    std::variant<std::unique_ptr<SynthEngine>, std::string> made;
    if (loader_.joinable()) {
        loader_.join();
        made = std::move(loaded_);
    } else {
        made = build_engine_guarded(options_.synth, {});
    }
    if (auto* message = std::get_if<std::string>(&made)) {
        fail(kNoSoundFont, "cannot Open: " + *message);
        return false;
    }
    engine_ = std::move(std::get<std::unique_ptr<SynthEngine>>(made));
    output_ = std::make_unique<SynthOutput>(*engine_, options_.output, options_.post);
    return true;
}

void FluidSynthMediaControl::end_session() {
    if (session_) {
        const auto lock = output_->exclusive();
        session_.reset();
    }
}

void FluidSynthMediaControl::open() {
    if (!same_word(device_type_, kSequencer)) {
        fail(kUnsupportedDevice, "cannot Open: the music device type \"" + device_type_ +
                                     "\" is not supported (only Sequencer)");
        return;
    }
    if (session_) {
        close();  // an Open on an open device starts afresh
    }
    if (file_name_.empty()) {
        fail(kFileMissing, "cannot Open: no music file name was set");
        return;
    }
    std::error_code ec;
    const std::filesystem::path where =
        std::filesystem::absolute(find_tune(file_name_, options_.tune_folders), ec);
    const std::string named = "the music file \"" + file_name_ + "\" (" + where.string() + ")";
    auto read = read_tune_file(where, kMaxTuneBytes);
    if (const auto* problem = std::get_if<TuneFileProblem>(&read)) {
        std::string message = "cannot Open: " + named + " " + problem->reason;
        if (problem->kind == TuneFileProblem::kMissing && !options_.tune_folders.empty() &&
            std::filesystem::path(file_name_).is_relative()) {
            message += " (nor in";
            for (const auto& folder : options_.tune_folders) {
                message += " " + folder.string();
            }
            message += ")";
        }
        fail(problem->kind == TuneFileProblem::kTooLarge ? kNotMidi : kFileMissing,
             std::move(message));
        return;
    }
    const std::vector<std::uint8_t>& bytes = std::get<std::vector<std::uint8_t>>(read);
    auto parsed = parse_midi(bytes);
    if (auto* bad = std::get_if<MidiParseError>(&parsed)) {
        fail(kNotMidi, "cannot Open: " + named + " is not a Standard MIDI File: " + bad->what);
        return;
    }
    const MidiFile& tune = std::get<MidiFile>(parsed);
    if (tune.end_tick() == 0) {
        fail(kNotMidi, "cannot Open: " + named + " holds no music (it lasts no time at all)");
        return;
    }
    if (!ensure_engine()) {
        return;
    }
    engine_->prepare_for(tune);
    // Taken now so that a machine without sound is found out by the Open; if no Play follows,
    // the output lets itself go again.
    if (std::string problem = output_->acquire(); !problem.empty()) {
        fail(kAudioOutput, "cannot Open " + named + ": " + problem);
        return;
    }

    std::weak_ptr<int> alive = alive_;
    auto on_end = [alive, this](std::uint64_t generation) {
        if (alive.lock()) {
            tune_ended(generation);
        }
    };
    auto opened = [&] {
        const auto lock = output_->exclusive();
        return PlaybackSession::open(*engine_, bytes, tune.end_tick(), options_.post,
                                     std::move(on_end));
    }();
    if (auto* message = std::get_if<std::string>(&opened)) {
        fail(kSynth, "cannot Open " + named + ": " + *message);
        output_->idle();
        return;
    }
    session_ = std::move(std::get<std::unique_ptr<PlaybackSession>>(opened));
    output_->idle();
    mode_ = kModeStopped;
}

void FluidSynthMediaControl::play() {
    std::optional<std::uint32_t> from;
    if (start_position_) {
        from = static_cast<std::uint32_t>(std::max<std::int32_t>(*start_position_ - 1, 0));
        start_position_.reset();
    }
    if (mode_ == kModePlaying && !from) {
        return;
    }
    if (std::string problem = output_->acquire(); !problem.empty()) {
        fail(kAudioOutput, "cannot Play: " + problem);
        return;
    }
    session_->play(from, ++generation_);
    output_->start();
    mode_ = kModePlaying;
}

void FluidSynthMediaControl::stop() {
    if (mode_ == kModePlaying) {
        session_->halt();
        output_->idle();
    }
    ++generation_;
    mode_ = kModeStopped;
}

void FluidSynthMediaControl::pause() {
    if (mode_ == kModePlaying) {
        session_->halt();
        output_->idle();
        ++generation_;
        mode_ = kModePaused;
    } else if (mode_ == kModePaused) {
        if (std::string problem = output_->acquire(); !problem.empty()) {
            fail(kAudioOutput, "cannot resume: " + problem);
            return;
        }
        session_->play(std::nullopt, ++generation_);
        output_->start();
        mode_ = kModePlaying;
    }
}

void FluidSynthMediaControl::close() {
    end_session();
    engine_->silence();
    output_->idle(true);
    ++generation_;
    mode_ = kModeNotOpen;
}

void FluidSynthMediaControl::tune_ended(std::uint64_t generation) {
    if (!session_ || mode_ != kModePlaying || generation != generation_) {
        return;  // a Stop, pause, Play or Close came first
    }
    mode_ = kModeStopped;
    raise_status();
    // The player has already gone on into the next pass. A handler that loops the tune has
    // called Play by now and it plays on; otherwise stop it at the top, where a later Play
    // starts. (Should the handler have opened another tune, rewinding it changes nothing.)
    if (session_ && mode_ != kModePlaying) {
        session_->rewind();
        output_->idle();
    }
}

void FluidSynthMediaControl::render(std::span<float> left, std::span<float> right) {
    if (output_ && options_.output.output == AudioOutput::Pulled) {
        output_->render(left, right);
        return;
    }
    std::fill(left.begin(), left.end(), 0.0f);
    std::fill(right.begin(), right.end(), 0.0f);
}

std::string FluidSynthMediaControl::soundfont() const {
    return engine_ ? engine_->soundfont().string() : std::string();
}

}  // namespace quillon::sound

#include "game/recording_media_control.h"

namespace quillon {

void RecordingMediaControl::command(MediaCommand command) {
    const std::string word(media_command_word(command));
    log_.push_back(command == MediaCommand::open ? word + "(" + file_name_ + ")" : word);
    error_ = 0;
    error_message_.clear();
    if (command == MediaCommand::open) {
        if (open_error_ != 0) {
            error_ = open_error_;
            error_message_ = open_error_message_;
            mode_ = kModeNotOpen;
        } else {
            mode_ = kModeStopped;
        }
        return;
    }
    if (command == MediaCommand::close) {
        mode_ = kModeNotOpen;
        return;
    }
    if (mode_ == kModeNotOpen) {
        // After a failed open, say why it failed rather than only that the device is closed.
        error_ = open_error_ != 0 ? open_error_ : 263;
        error_message_ = open_error_ != 0 ? open_error_message_ : "The music device is not open.";
        return;
    }
    if (command == MediaCommand::play) {
        mode_ = kModePlaying;
    } else if (command == MediaCommand::stop) {
        mode_ = kModeStopped;
    } else if (command == MediaCommand::pause) {
        if (mode_ == kModePlaying) {
            mode_ = kModePaused;
        } else if (mode_ == kModePaused) {
            mode_ = kModePlaying;
        }
    }
}

void RecordingMediaControl::fail_open(int code, std::string message) {
    open_error_ = code;
    open_error_message_ = std::move(message);
}

void RecordingMediaControl::reach_end() {
    if (mode_ == kModePlaying) {
        mode_ = kModeStopped;
    }
    raise_status();
}

std::string RecordingMediaControl::take_log() {
    std::string out;
    for (const std::string& entry : log_) {
        if (!out.empty()) {
            out += ';';
        }
        out += entry;
    }
    log_.clear();
    return out;
}

}  // namespace quillon

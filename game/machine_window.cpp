// The window's own events (start-up, resize, close) and the background music.
#include "game/machine.h"

namespace quillon {

std::optional<std::string> Machine::load() {
    c_.window.left = 50;
    c_.window.top = 50;
    c_.window.width = kWindowWidth;
    c_.window.height = kWindowHeight;
    s_.credit_change_muted = s_.bet_one_count = s_.bet_column = s_.round_bet_open = 0;
    s_.bet_coins = s_.pay_column = 0;
    s_.hold_flags = {};
    s_.resize_seen = s_.sound_off = 0;
    media_.set_notify(false);
    media_.set_wait(true);
    media_.set_shareable(false);
    media_.set_device_type(kSequencer);
    media_.set_file_name(kOrdinaryTune);
    media_.command(MediaCommand::open);
    media_.command(MediaCommand::play);  // the music starts on: sound_off was just cleared
    if (media_.error() != 0) {
        return media_.error_message();
    }
    return std::nullopt;
}

void Machine::minimize() {
    media_.command(MediaCommand::pause);
}

void Machine::restore() {
    // The first showing of the window leaves the music playing; later ones resume it.
    if (s_.resize_seen == kTrue) {
        media_.command(MediaCommand::pause);
    } else {
        s_.resize_seen = kTrue;
    }
    c_.window.width = kWindowWidth;
    c_.window.height = kWindowHeight;
}

void Machine::close() {
    media_.command(MediaCommand::close);
}

void Machine::media_status() {
    if (s_.sound_off != kFalse) {
        return;
    }
    if (media_.mode() == MediaControl::kModeStopped) {
        media_.set_start_position(1);
        media_.command(MediaCommand::play);
    }
}

void Machine::sound_off() {
    s_.sound_off = kTrue;
    media_.command(MediaCommand::stop);
    c_.SoundOn.enabled = true;
    c_.SoundOff.enabled = false;
}

void Machine::sound_on() {
    s_.sound_off = kFalse;
    media_.command(MediaCommand::play);
    c_.SoundOff.enabled = true;
    c_.SoundOn.enabled = false;
}

void Machine::restart_music(std::string_view file) {
    media_.command(MediaCommand::close);
    media_.set_device_type(kSequencer);
    media_.set_file_name(file);
    media_.command(MediaCommand::open);
    if (s_.sound_off == kFalse) {
        media_.command(MediaCommand::play);
    }
}

}  // namespace quillon

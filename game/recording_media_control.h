#pragma once

#include <string>
#include <vector>

#include "game/media_control.h"

namespace quillon {

// A music device that plays nothing and records what it is told, for tests and the script
// driver. It keeps the modes a real sequencer would report and can be made to fail on open.
class RecordingMediaControl final : public MediaControl {
  public:
    void set_device_type(std::string_view type) override { device_type_ = type; }
    void set_file_name(std::string_view file) override { file_name_ = file; }
    void set_notify(bool) override {}
    void set_wait(bool) override {}
    void set_shareable(bool) override {}
    void set_start_position(std::int32_t position) override { start_position_ = position; }
    void command(MediaCommand command) override;
    int error() const override { return error_; }
    std::string error_message() const override { return error_message_; }
    std::int32_t mode() const override { return mode_; }

    // Every "Open" from now on fails with this code and message.
    void fail_open(int code, std::string message);
    // The tune reaches its end: the device stops and raises its status event.
    void reach_end();

    // The commands since the last call, "Open" written with its file: "Close;Open(BGM2.mid);Play".
    std::string take_log();
    const std::vector<std::string>& log() const { return log_; }
    const std::string& file_name() const { return file_name_; }

  private:
    std::string device_type_;
    std::string file_name_;
    std::int32_t start_position_ = 0;
    std::int32_t mode_ = kModeNotOpen;
    int error_ = 0;
    std::string error_message_;
    int open_error_ = 0;
    std::string open_error_message_;
    std::vector<std::string> log_;
};

}  // namespace quillon

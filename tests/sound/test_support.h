#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "sound/fluidsynth_media_control.h"
#include "tools/tunes/score.h"
#include "tools/tunes/smf_writer.h"

namespace quillon::sound::testing {

constexpr double kRate = 44100.0;
constexpr std::size_t kBlock = 512;

// Stands in for the window's event loop: tasks posted from the audio side wait here until the
// test runs them on its own thread, as a queued call would.
class WindowQueue {
  public:
    PostToWindow poster() {
        return [this](std::function<void()> task) {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
            ++posted_;
            arrived_.notify_all();
        };
    }

    // Runs what has been posted so far; returns how many tasks ran.
    int drain() {
        std::vector<std::function<void()>> now;
        {
            std::lock_guard lock(mutex_);
            now.swap(tasks_);
        }
        for (auto& task : now) {
            task();
        }
        return static_cast<int>(now.size());
    }

    // For a real audio thread: waits until more than `seen` tasks were ever posted.
    bool wait_for_post(int seen, std::chrono::seconds limit) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, limit, [&] { return posted_ > seen; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::function<void()>> tasks_;
    int posted_ = 0;
};

// The device as the game makes it, pulled: it plays from the SoundFont the build cut for the
// tunes (beside the test program), which holds only what the two tunes play.
inline FluidSynthOptions game_options(WindowQueue& queue) {
    FluidSynthOptions options;
    options.output.output = AudioOutput::Pulled;
    options.post = queue.poster();
    return options;
}

// Pulled, from the system's General MIDI SoundFont: for tunes other than the game's own.
inline FluidSynthOptions pulled_options(WindowQueue& queue) {
    FluidSynthOptions options = game_options(queue);
    auto& places = options.synth.soundfonts;
    places.erase(std::remove_if(places.begin(), places.end(),
                                [](const auto& p) { return p.filename() == "quillon-tunes.sf2"; }),
                 places.end());
    return options;
}

// A short tune of piano chords, one a beat, four beats to the bar; at 240 bpm a bar is 1 s.
inline std::vector<std::uint8_t> tiny_tune(int bars = 1, int tempo = 240, int program = 0) {
    tunes::Song song;
    song.title = "test";
    song.tempo_bpm = tempo;
    tunes::Part part;
    part.name = "piano";
    part.program = program;
    part.volume = 110;
    for (std::uint32_t beat = 0; beat < static_cast<std::uint32_t>(bars) * 4; ++beat) {
        for (int key : {60, 64, 67}) {
            part.notes.push_back(
                {beat * 480, beat * 480 + 400, static_cast<std::uint8_t>(key), 100});
        }
    }
    song.parts = {part};
    song.length = static_cast<std::uint32_t>(bars) * 1920;
    return tunes::write_smf(song);
}

// A scratch folder of its own for each test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // Memory-backed where there is such a folder: the damaged-file test rewrites its file
        // thousands of times, and on a disk each rewrite waits for blocks to be discarded.
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ =
            base / ("quillon-sound-" + std::string(info->test_suite_name()) + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        const auto file = path_ / name;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }
    std::string write(const std::string& name, const std::string& text) const {
        return write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

  private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> read_bytes(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Renders `seconds` of audio from a pulled control, running posted tasks after every block as
// the window would; returns the left and right channels interleaved.
inline std::vector<float> render(FluidSynthMediaControl& control, WindowQueue& queue,
                                 double seconds) {
    std::vector<float> out;
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    for (double done = 0; done < seconds; done += kBlock / kRate) {
        control.render(left, right);
        for (std::size_t i = 0; i < kBlock; ++i) {
            out.push_back(left[i]);
            out.push_back(right[i]);
        }
        queue.drain();
    }
    return out;
}

// Renders until the control raises its status event; returns the seconds of audio rendered,
// or -1 when nothing came within `limit` seconds.
inline double seconds_until_status(FluidSynthMediaControl& control, WindowQueue& queue,
                                   double limit) {
    bool raised = false;
    control.on_status([&] { raised = true; });
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    for (double done = 0; done < limit; done += kBlock / kRate) {
        control.render(left, right);
        queue.drain();
        if (raised) {
            return done + kBlock / kRate;
        }
    }
    return -1;
}

inline double rms(const std::vector<float>& samples) {
    double sum = 0;
    for (float s : samples) {
        sum += static_cast<double>(s) * s;
    }
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

inline float peak(const std::vector<float>& samples) {
    float most = 0;
    for (float s : samples) {
        most = std::max(most, std::fabs(s));
    }
    return most;
}

}  // namespace quillon::sound::testing

// Measures what the music costs: SoundFont load time and memory, the time an Open takes, and the
// share of one core the synthesizer needs while a tune plays. Run from the game's folder (where
// BGM1.mid and BGM2.mid are); every measurement runs in a fresh child process, so memory from one
// never hides another.
#include <fluidsynth.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sound/fluidsynth_media_control.h"
#include "sound/synth_engine.h"

namespace {

using quillon::sound::AudioOutput;
using quillon::sound::FluidSynthMediaControl;
using quillon::sound::FluidSynthOptions;
using quillon::sound::SynthConfig;
using quillon::sound::SynthEngine;

double resident_mb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stod(line.substr(6)) / 1024.0;
        }
    }
    return 0;
}

double thread_cpu_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs one measurement in a child process and waits for it.
void isolated(const std::function<void()>& measure) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        measure();
        std::fflush(stdout);
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
}

void soundfont_load(const char* label, const char* file, bool dynamic) {
    isolated([=] {
        SynthConfig config;
        config.soundfonts = {file};
        config.dynamic_sample_loading = dynamic;
        const double before = resident_mb();
        const auto start = std::chrono::steady_clock::now();
        auto made = SynthEngine::create(config);
        const double took = since(start);
        if (std::holds_alternative<std::string>(made)) {
            std::printf("  %-38s %s\n", label, std::get<std::string>(made).c_str());
            return;
        }
        std::printf("  %-38s load %6.1f ms   +%6.1f MB resident\n", label, took * 1000,
                    resident_mb() - before);
    });
}

std::unique_ptr<FluidSynthMediaControl> open_pulled(const SynthConfig& synth, const char* tune) {
    FluidSynthOptions options;
    options.synth = synth;
    options.output.output = AudioOutput::Pulled;
    options.post = [](std::function<void()> task) { task(); };  // one thread here
    auto control = std::make_unique<FluidSynthMediaControl>(options);
    control->set_device_type("Sequencer");
    control->set_file_name(tune);
    control->command("Open");
    if (control->error() != 0) {
        std::printf("  %s\n", control->error_message().c_str());
    }
    return control;
}

void open_cost() {
    isolated([] {
        const double before = resident_mb();
        auto start = std::chrono::steady_clock::now();
        auto control = open_pulled({}, "BGM1.mid");
        const double first = since(start);
        control->set_file_name("BGM2.mid");
        start = std::chrono::steady_clock::now();
        control->command("Open");
        const double second = since(start);
        std::printf("  first Open (SoundFont, BGM1's instruments)  %6.1f ms\n", first * 1000);
        std::printf("  second Open (BGM2, SoundFont kept)          %6.1f ms\n", second * 1000);
        std::printf("  resident with both tunes' instruments       +%5.1f MB (SoundFont %s)\n",
                    resident_mb() - before, control->soundfont().c_str());
    });
}

// Renders `seconds` of a tune as the audio thread would and reports the CPU it took.
void playing_cost(const char* label, const SynthConfig& synth, const char* tune, bool play,
                  double seconds = 60.0) {
    isolated([=] {
        auto control = open_pulled(synth, tune);
        control->on_status([&] {
            control->set_start_position(1);
            control->command("Play");
        });
        if (play) {
            control->command("Play");
        }
        const std::size_t block = 512;
        std::vector<float> left(block);
        std::vector<float> right(block);
        const auto blocks = static_cast<std::size_t>(seconds * synth.sample_rate / block);
        const double start = thread_cpu_seconds();
        for (std::size_t i = 0; i < blocks; ++i) {
            control->render(left, right);
        }
        const double cpu = thread_cpu_seconds() - start;
        std::printf("  %-44s %5.2f %% of one core (%.2f s for %.0f s)\n", label,
                    100 * cpu / seconds, cpu, seconds);
    });
}

double process_cpu_seconds() {
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(use.ru_utime) + seconds(use.ru_stime);
}

// The whole process while FluidSynth's file driver plays in real time on its own thread, as a
// sound card's driver would, with the game's period size.
void real_time_cost(const char* tune, double seconds) {
    isolated([=] {
        auto made = SynthEngine::create({});
        if (std::holds_alternative<std::string>(made)) {
            return;
        }
        auto& engine = *std::get<std::unique_ptr<SynthEngine>>(made);
        std::ifstream in(tune, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                      std::istreambuf_iterator<char>()};
        fluid_settings_setstr(engine.settings(), "audio.driver", "file");
        fluid_settings_setstr(engine.settings(), "audio.file.name", "/tmp/quillon-bench.wav");
        fluid_settings_setint(engine.settings(), "audio.period-size",
                              quillon::sound::OutputConfig{}.period_size);
        quillon::sound::PlayerPtr player(new_fluid_player(engine.synth()));
        fluid_player_add_mem(player.get(), bytes.data(), bytes.size());
        fluid_player_set_loop(player.get(), -1);
        fluid_player_play(player.get());
        const double start = process_cpu_seconds();
        {
            quillon::sound::DriverPtr driver(
                new_fluid_audio_driver(engine.settings(), engine.synth()));
            std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        }
        const double cpu = process_cpu_seconds() - start;
        std::remove("/tmp/quillon-bench.wav");
        std::printf("  %-44s %5.2f %% of one core (%.0f s of wall time)\n",
                    (std::string(tune) + " in real time, file driver").c_str(), 100 * cpu / seconds,
                    seconds);
    });
}

}  // namespace

int main() {
    std::printf("SoundFont load (FluidSynth %s)\n", fluid_version_str());
    soundfont_load("FluidR3_GM, dynamic samples", "/usr/share/sounds/sf2/FluidR3_GM.sf2", true);
    soundfont_load("FluidR3_GM, whole", "/usr/share/sounds/sf2/FluidR3_GM.sf2", false);
    soundfont_load("TimGM6mb, whole", "/usr/share/sounds/sf2/TimGM6mb.sf2", false);
    soundfont_load("default-GM.sf2, dynamic samples", "/usr/share/sounds/sf2/default-GM.sf2", true);
    soundfont_load("quillon-tunes.sf2, as the game loads it", "quillon-tunes.sf2", true);

    std::printf("Opening the tunes\n");
    open_cost();

    std::printf("Playing (60 s of audio rendered in 512-frame blocks)\n");
    const SynthConfig game;
    playing_cost("BGM1, the game's settings", game, "BGM1.mid", true);
    playing_cost("BGM2, the game's settings", game, "BGM2.mid", true);
    playing_cost("stopped: silence with reverb and chorus", game, "BGM1.mid", false);
    SynthConfig low_rate = game;
    low_rate.sample_rate = 22050;
    playing_cost("BGM2 at 22050 Hz", low_rate, "BGM2.mid", true);
    SynthConfig dry = game;
    dry.reverb = false;
    dry.chorus = false;
    playing_cost("BGM2 without reverb and chorus", dry, "BGM2.mid", true);
    SynthConfig small = game;
    small.soundfonts = {"/usr/share/sounds/sf2/TimGM6mb.sf2"};
    playing_cost("BGM2 with TimGM6mb", small, "BGM2.mid", true);
    real_time_cost("BGM2.mid", 10);
    return 0;
}

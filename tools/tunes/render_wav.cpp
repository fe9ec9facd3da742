// Renders a tune to a WAV file through the game's own music device (its SoundFont, fade and
// limiter), to listen to it or measure it with sox:
//
//   render_wav BGM1.mid bgm1.wav [--loops N] [--soundfont FILE] [--gain G]
//
// --loops plays the tune N times back to back, the way the game loops it, so the seam can be
// heard and seen. After the last pass the device stops, as the game's does at Sound Off: the
// notes ring out under its fade.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "sound/fluidsynth_media_control.h"

namespace {

using quillon::sound::FluidSynthMediaControl;

int usage() {
    std::cerr << "usage: render_wav TUNE.mid OUT.wav [--loops N] [--soundfont FILE] [--gain G]\n";
    return 2;
}

void put(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

// 16-bit stereo PCM.
bool write_wav(const std::string& file, const std::vector<float>& interleaved, int rate) {
    std::ofstream out(file, std::ios::binary);
    const auto data_bytes = static_cast<std::uint32_t>(interleaved.size() * 2);
    out << "RIFF";
    put(out, 36 + data_bytes, 4);
    out << "WAVEfmt ";
    put(out, 16, 4);
    put(out, 1, 2);  // PCM
    put(out, 2, 2);
    put(out, static_cast<std::uint32_t>(rate), 4);
    put(out, static_cast<std::uint32_t>(rate * 4), 4);
    put(out, 4, 2);
    put(out, 16, 2);
    out << "data";
    put(out, data_bytes, 4);
    for (float s : interleaved) {
        const long v = std::lround(std::fmax(-1.0f, std::fmin(1.0f, s)) * 32767.0f);
        put(out, static_cast<std::uint32_t>(v) & 0xFFFF, 2);
    }
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    const std::string tune = argv[1];
    const std::string wav = argv[2];
    int loops = 1;
    quillon::sound::FluidSynthOptions options;
    options.output.output = quillon::sound::AudioOutput::Pulled;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--loops") {
            loops = std::atoi(argv[i + 1]);
        } else if (option == "--soundfont") {
            options.synth.soundfonts = {argv[i + 1]};
        } else if (option == "--gain") {
            options.synth.gain = std::atof(argv[i + 1]);
        } else {
            return usage();
        }
    }
    // One thread here: what the device posts runs after the block that posted it.
    std::vector<std::function<void()>> posted;
    options.post = [&posted](std::function<void()> task) { posted.push_back(std::move(task)); };
    const int rate = static_cast<int>(options.synth.sample_rate);

    FluidSynthMediaControl control(options);
    control.set_device_type("Sequencer");
    control.set_file_name(tune);
    control.command("Open");
    if (control.error() != 0) {
        std::cerr << control.error_message() << "\n";
        return 1;
    }
    int passes = 0;
    control.on_status([&] {
        if (++passes < loops) {
            control.set_start_position(1);
            control.command("Play");
        }
    });
    control.command("Play");

    std::vector<float> audio;
    std::vector<float> left(512);
    std::vector<float> right(512);
    const std::size_t limit = static_cast<std::size_t>(rate) * 2 * 60 * 30;  // half an hour
    while (control.output_open() && audio.size() < limit) {
        control.render(left, right);
        for (std::size_t i = 0; i < left.size(); ++i) {
            audio.push_back(left[i]);
            audio.push_back(right[i]);
        }
        auto now = std::move(posted);
        posted.clear();
        for (auto& task : now) {
            task();
        }
    }
    if (!write_wav(wav, audio, rate)) {
        std::cerr << "cannot write " << wav << "\n";
        return 1;
    }
    double sum = 0;
    float peak = 0;
    for (float s : audio) {
        sum += static_cast<double>(s) * s;
        peak = std::fmax(peak, std::fabs(s));
    }
    const double rms = std::sqrt(sum / static_cast<double>(audio.empty() ? 1 : audio.size()));
    std::cout << wav << ": " << loops << " pass(es), "
              << static_cast<double>(audio.size()) / 2 / rate << " s rendered, SoundFont "
              << control.soundfont() << ", RMS " << 20 * std::log10(rms) << " dBFS, peak "
              << 20 * std::log10(peak) << " dBFS\n";
    return 0;
}

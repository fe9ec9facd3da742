// Renders a tune to a WAV file with the game's own synthesizer settings, to listen to it or
// measure it with sox:
//
//   render_wav BGM1.mid bgm1.wav [--loops N] [--soundfont FILE] [--gain G]
//
// --loops plays the tune N times back to back, the way the game loops it, so the seam can be
// heard and seen. After the last pass FluidSynth lets the notes and the reverb die away.
#include <fluidsynth.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "sound/midi_file.h"
#include "sound/synth_engine.h"

namespace {

using quillon::sound::SynthEngine;

struct FileRendererDeleter {
    void operator()(fluid_file_renderer_t* r) const { delete_fluid_file_renderer(r); }
};

int usage() {
    std::cerr << "usage: render_wav TUNE.mid OUT.wav [--loops N] [--soundfont FILE] [--gain G]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    const std::string tune = argv[1];
    const std::string wav = argv[2];
    int loops = 1;
    quillon::sound::SynthConfig config;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--loops") {
            loops = std::atoi(argv[i + 1]);
        } else if (option == "--soundfont") {
            config.soundfonts = {argv[i + 1]};
        } else if (option == "--gain") {
            config.gain = std::atof(argv[i + 1]);
        } else {
            return usage();
        }
    }

    std::ifstream in(tune, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    auto parsed = quillon::sound::parse_midi(bytes);
    if (auto* bad = std::get_if<quillon::sound::MidiParseError>(&parsed)) {
        std::cerr << tune << " is not a Standard MIDI File: " << bad->what << "\n";
        return 1;
    }
    auto made = SynthEngine::create(config);
    if (auto* error = std::get_if<std::string>(&made)) {
        std::cerr << *error << "\n";
        return 1;
    }
    auto& engine = *std::get<std::unique_ptr<SynthEngine>>(made);
    engine.prepare_for(std::get<quillon::sound::MidiFile>(parsed));

    fluid_settings_setstr(engine.settings(), "audio.file.name", wav.c_str());
    fluid_settings_setstr(engine.settings(), "audio.file.type", "wav");
    fluid_settings_setstr(engine.settings(), "audio.file.format", "s16");
    quillon::sound::PlayerPtr player(new_fluid_player(engine.synth()));
    fluid_player_add_mem(player.get(), bytes.data(), bytes.size());
    fluid_player_set_loop(player.get(), loops);
    std::unique_ptr<fluid_file_renderer_t, FileRendererDeleter> renderer(
        new_fluid_file_renderer(engine.synth()));
    if (!renderer) {
        std::cerr << "FluidSynth cannot write " << wav << "\n";
        return 1;
    }

    int period = 64;
    fluid_settings_getint(engine.settings(), "audio.period-size", &period);
    double rate = 44100;
    fluid_settings_getnum(engine.settings(), "synth.sample-rate", &rate);
    fluid_player_play(player.get());
    long frames = 0;
    int most_voices = 0;
    auto block = [&] {
        fluid_file_renderer_process_block(renderer.get());
        frames += period;
        most_voices = std::max(most_voices, fluid_synth_get_active_voice_count(engine.synth()));
    };
    const long limit = static_cast<long>(rate * 60 * 30);  // never more than half an hour
    while (fluid_player_get_status(player.get()) != FLUID_PLAYER_DONE && frames < limit) {
        block();
    }
    const auto& midi = std::get<quillon::sound::MidiFile>(parsed);
    std::cout << wav << ": " << loops << " x " << midi.duration_seconds() << " s of music, "
              << static_cast<double>(frames) / rate << " s rendered, SoundFont "
              << engine.soundfont().string() << ", at most " << most_voices << " voices\n";
    return 0;
}

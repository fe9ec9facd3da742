#include "sound/synth_engine.h"

#include <array>
#include <optional>
#include <set>
#include <utility>

namespace quillon::sound {

// Why dynamic sample loading with the system's default SoundFont (bench_music on the 2-core
// machine, FluidSynth 2.3.1; the default is a link to FluidR3_GM):
//   FluidR3_GM (148 MB file), everything loaded:  ~335-470 ms, +159 MB resident
//   FluidR3_GM, dynamic sample loading:            ~25-45 ms,   +17 MB, then 1-8 ms per instrument
//   TimGM6mb (6 MB file), everything loaded:        ~20-50 ms,   +19 MB
// Loading FluidR3 whole would hold the window for a third of a second or more and keep 160 MB
// for ten instruments. Loading it dynamically starts as fast as the small font, holds about
// 40 MB with both tunes' instruments, and keeps FluidR3's much better instruments, so no
// background thread is needed: the first Open takes ~45 ms, a later one ~10 ms. The samples are
// read in prepare_for(), on the window's thread, where a few milliseconds of disk reading cannot
// starve the audio output. Playing costs 1-1.5 % of one core at 44.1 kHz (0.7 % at 22.05 kHz,
// not worth the lost treble) in the synthesizer alone.
std::variant<std::unique_ptr<SynthEngine>, std::string> SynthEngine::create(
    const SynthConfig& config) {
    const SoundFontSearch search = find_soundfonts(config.soundfonts);
    if (search.candidates.empty()) {
        std::string where;
        for (const auto& place : search.looked) {
            where += (where.empty() ? "" : ", ") + place;
        }
        return "no SoundFont found for the music; looked in: " +
               (where.empty() ? std::string("(no places given)") : where);
    }

    // FluidSynth says on standard error which audio driver it opens ("Using PulseAudio driver"),
    // at start and at every Sound On: no news to a player. Its information and debugging
    // messages are dropped; its warnings and errors still go through.
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
    auto engine = std::make_unique<SynthEngine>(Key{});
    engine->settings_.reset(new_fluid_settings());
    fluid_settings_t* s = engine->settings_.get();
    if (s == nullptr) {
        return std::string("FluidSynth could not create its settings");
    }
    fluid_settings_setnum(s, "synth.sample-rate", config.sample_rate);
    fluid_settings_setint(s, "synth.polyphony", config.polyphony);
    fluid_settings_setint(s, "synth.dynamic-sample-loading", config.dynamic_sample_loading ? 1 : 0);
    fluid_settings_setnum(s, "synth.gain", config.gain);
    fluid_settings_setint(s, "synth.reverb.active", config.reverb ? 1 : 0);
    fluid_settings_setint(s, "synth.chorus.active", config.chorus ? 1 : 0);
    // A small warm room for a lounge; FluidSynth's default is a drier, brighter hall.
    fluid_settings_setnum(s, "synth.reverb.room-size", 0.45);
    fluid_settings_setnum(s, "synth.reverb.damp", 0.4);
    fluid_settings_setnum(s, "synth.reverb.level", 0.7);
    // The tunes carry their own setup at tick 0 and are looped by replaying them: resetting the
    // synth at the end would cut the reverb tail and make the seam audible.
    fluid_settings_setint(s, "player.reset-synth", 0);

    engine->synth_.reset(new_fluid_synth(s));
    if (!engine->synth_) {
        return std::string("FluidSynth could not create its synthesizer");
    }

    std::string refused;
    for (const auto& candidate : search.candidates) {
        // Presets are not assigned here: doing so would load the grand piano on every channel.
        const int id = fluid_synth_sfload(engine->synth(), candidate.c_str(), 0);
        if (id != FLUID_FAILED) {
            engine->sfont_id_ = id;
            engine->soundfont_ = candidate;
            return engine;
        }
        refused += (refused.empty() ? "" : ", ") + candidate.string();
    }
    return "no SoundFont could be loaded for the music; these are damaged or not SoundFonts: " +
           refused;
}

SynthEngine::~SynthEngine() = default;

void SynthEngine::prepare_for(const MidiFile& tune) {
    // Per channel: the bank and program in force when each program change comes.
    std::array<std::optional<std::pair<int, int>>, 16> first;
    std::array<bool, 16> used{};
    std::set<std::pair<int, int>> needed;
    for (const auto& track : tune.tracks) {
        std::array<int, 16> bank{};
        for (const auto& e : track.events) {
            if (!e.is_channel_message()) {
                continue;
            }
            const int ch = e.channel();
            used[ch] = true;
            if (e.kind() == 0xB0 && e.data1 == 0) {
                bank[ch] = e.data2;
            } else if (e.kind() == 0xC0) {
                const std::pair<int, int> preset{ch == 9 ? 128 : bank[ch], e.data1};
                needed.insert(preset);
                if (!first[ch] || e.tick == 0) {
                    first[ch] = preset;
                }
            }
        }
    }
    for (int ch = 0; ch < 16; ++ch) {
        if (!used[ch]) {
            continue;
        }
        const std::pair<int, int> preset = first[ch].value_or(std::pair{ch == 9 ? 128 : 0, 0});
        needed.insert(preset);
        fluid_synth_program_change(synth(), ch, preset.second);
    }
    for (const auto& [bank, program] : needed) {
        if (fluid_synth_pin_preset(synth(), sfont_id_, bank, program) != FLUID_OK && bank == 128) {
            // FluidSynth falls back to the standard kit when a drum kit is missing.
            fluid_synth_pin_preset(synth(), sfont_id_, 128, 0);
        }
    }
}

void SynthEngine::silence() {
    fluid_synth_all_sounds_off(synth(), -1);
    for (int ch = 0; ch < 16; ++ch) {
        fluid_synth_cc(synth(), ch, 121, 0);  // reset all controllers
        fluid_synth_pitch_bend(synth(), ch, 8192);
    }
}

bool SynthEngine::apply_setting(const std::string& name, const std::string& value) {
    fluid_settings_t* s = settings();
    try {
        switch (fluid_settings_get_type(s, name.c_str())) {
            case FLUID_STR_TYPE:
                return fluid_settings_setstr(s, name.c_str(), value.c_str()) == FLUID_OK;
            case FLUID_INT_TYPE:
                return fluid_settings_setint(s, name.c_str(), std::stoi(value)) == FLUID_OK;
            case FLUID_NUM_TYPE:
                return fluid_settings_setnum(s, name.c_str(), std::stod(value)) == FLUID_OK;
            default:
                return false;
        }
    } catch (const std::exception&) {
        return false;  // a number that does not parse
    }
}

}  // namespace quillon::sound

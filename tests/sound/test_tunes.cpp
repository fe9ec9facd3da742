// The two tunes as the build writes them into the game's folder (the tests run there), heard
// through the same synthesizer the game uses, and read back as MIDI files.
#include <map>
#include <set>

#include "sound/midi_file.h"
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

MidiFile load(const std::string& name) {
    auto parsed = parse_midi(read_bytes(name));
    if (auto* bad = std::get_if<MidiParseError>(&parsed)) {
        ADD_FAILURE() << name << ": " << bad->what;
        return {};
    }
    return std::get<MidiFile>(parsed);
}

struct Sounding {
    double start;
    double end;
    int channel;
    int key;
};

// Every note with its times in seconds; fails the test on a note left hanging.
std::vector<Sounding> notes_of(const MidiFile& file) {
    std::vector<Sounding> notes;
    for (const auto& track : file.tracks) {
        std::map<std::pair<int, int>, std::vector<std::uint32_t>> held;
        for (const auto& e : track.events) {
            if (e.is_note_on()) {
                held[{e.channel(), e.data1}].push_back(e.tick);
            } else if (e.is_note_off()) {
                auto& starts = held[{e.channel(), e.data1}];
                if (starts.empty()) {
                    continue;
                }
                notes.push_back({file.seconds_at(starts.front()), file.seconds_at(e.tick),
                                 e.channel(), e.data1});
                starts.erase(starts.begin());
            }
        }
        for (const auto& [note, starts] : held) {
            EXPECT_TRUE(starts.empty())
                << "key " << note.second << " on channel " << note.first << " is never released";
        }
    }
    return notes;
}

struct TuneCase {
    const char* file;
    double seconds;
};

void PrintTo(const TuneCase& tune, std::ostream* out) {
    *out << tune.file;
}

class TuneTest : public ::testing::TestWithParam<TuneCase> {};

TEST_P(TuneTest, IsAMultiTrackFileWithDrumsAndBassOfTheRightLength) {
    const MidiFile tune = load(GetParam().file);
    EXPECT_EQ(tune.format, 1);
    EXPECT_GE(tune.tracks.size(), 5u);
    EXPECT_NEAR(tune.duration_seconds(), GetParam().seconds, 0.5);

    std::set<int> bass_channels;
    for (const auto& track : tune.tracks) {
        EXPECT_EQ(track.end_tick, tune.end_tick()) << "every track ends on the loop point";
        for (const auto& e : track.events) {
            if (e.kind() == 0xC0 && e.channel() != 9 && e.data1 >= 32 && e.data1 <= 39) {
                bass_channels.insert(e.channel());
            }
        }
    }
    EXPECT_EQ(tune.end_tick() % (4 * tune.division), 0u) << "the tune ends on a bar line";

    const auto notes = notes_of(tune);
    int drum_hits = 0;
    int bass_notes = 0;
    for (const auto& n : notes) {
        drum_hits += n.channel == 9;
        bass_notes += bass_channels.count(n.channel) && n.key < 55;
    }
    EXPECT_GT(drum_hits, 100);
    EXPECT_GT(bass_notes, 40);
}

TEST_P(TuneTest, LoopsWithoutSilenceAtEitherEnd) {
    const MidiFile tune = load(GetParam().file);
    const double length = tune.duration_seconds();
    auto notes = notes_of(tune);
    std::sort(notes.begin(), notes.end(),
              [](const Sounding& a, const Sounding& b) { return a.start < b.start; });
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front().start, 0.0) << "the music starts on the first tick";
    // Walk the time line: nowhere, the seam included, does everything fall silent for long.
    double covered = 0;
    double longest_gap = 0;
    for (const auto& n : notes) {
        longest_gap = std::max(longest_gap, n.start - covered);
        covered = std::max(covered, n.end);
        EXPECT_LE(n.end, length + 1e-9) << "a note runs past the loop point";
    }
    longest_gap = std::max(longest_gap, length - covered);
    EXPECT_LT(longest_gap, 0.15);
}

INSTANTIATE_TEST_SUITE_P(BothTunes, TuneTest,
                         ::testing::Values(TuneCase{"BGM1.mid", 60.0}, TuneCase{"BGM2.mid", 30.0}),
                         [](const auto& tune) {
                             return std::string(tune.param.file).substr(0, 4);
                         });

// The opening seconds through FluidSynth: real sound, not clipping, and not the same twice.
TEST(TunesHeard, BothOpeningsSoundAndDiffer) {
    std::vector<std::vector<float>> openings;
    for (const char* name : {"BGM1.mid", "BGM2.mid"}) {
        WindowQueue queue;
        FluidSynthMediaControl control(game_options(queue));
        control.set_device_type("Sequencer");
        control.set_file_name(name);  // a bare name, from the game's folder
        control.command("Open");
        ASSERT_EQ(control.error(), 0) << control.error_message();
        control.command("Play");
        openings.push_back(render(control, queue, 3.0));
        EXPECT_GT(rms(openings.back()), 0.02) << name;
        EXPECT_LT(peak(openings.back()), 0.9) << name << " comes close to clipping";
    }
    std::vector<float> difference(openings[0].size());
    for (std::size_t i = 0; i < difference.size(); ++i) {
        difference[i] = openings[0][i] - openings[1][i];
    }
    EXPECT_GT(rms(difference), 0.5 * std::max(rms(openings[0]), rms(openings[1])));
}

// The SoundFont cut for the tunes plays them note for note as the whole General MIDI set does.
TEST_P(TuneTest, SoundsTheSameFromTheCutSoundFontAsFromTheWholeOne) {
    std::vector<std::vector<float>> renders;
    WindowQueue queue;
    for (const auto& options : {game_options(queue), pulled_options(queue)}) {
        FluidSynthMediaControl control(options);
        control.set_device_type("Sequencer");
        control.set_file_name(GetParam().file);
        control.command("Open");
        ASSERT_EQ(control.error(), 0) << control.error_message();
        control.command("Play");
        renders.push_back(render(control, queue, 20.0));
        EXPECT_NE(control.soundfont().find(renders.size() == 1 ? "quillon-tunes" : "GM"),
                  std::string::npos)
            << control.soundfont();
    }
    std::vector<float> difference(renders[0].size());
    for (std::size_t i = 0; i < difference.size(); ++i) {
        difference[i] = renders[0][i] - renders[1][i];
    }
    EXPECT_LT(rms(difference), 1e-4 * rms(renders[1])) << "more than -80 dB apart";
}

}  // namespace
}  // namespace quillon::sound::testing

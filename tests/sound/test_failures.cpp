// Every way an Open can fail gives a non-zero error and a message that says what and where, and
// leaves the device closed and usable.
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

using Control = FluidSynthMediaControl;

struct Attempt {
    int error;
    std::string message;
    std::int32_t mode;
};

Attempt try_open(Control& control, const std::string& file, const std::string& type = "Sequencer") {
    control.set_device_type(type);
    control.set_file_name(file);
    control.command("Open");
    return {control.error(), control.error_message(), control.mode()};
}

bool says(const std::string& message, const std::string& part) {
    return message.find(part) != std::string::npos;
}

TEST(OpenFailures, AMissingFileNamesThePath) {
    WindowQueue queue;
    Control control(pulled_options(queue));
    const auto a = try_open(control, "no-such-tune.mid");
    EXPECT_EQ(a.error, Control::kFileMissing);
    EXPECT_TRUE(says(a.message, "no-such-tune.mid")) << a.message;
    EXPECT_TRUE(says(a.message, "not found")) << a.message;
    EXPECT_TRUE(says(a.message, std::filesystem::current_path().string())) << a.message;
    EXPECT_EQ(a.mode, Control::kModeNotOpen);

    const auto b = try_open(control, "");
    EXPECT_EQ(b.error, Control::kFileMissing);
}

TEST(OpenFailures, FilesThatAreNotMidiAreTurnedAway) {
    ScratchDir dir;
    WindowQueue queue;
    Control control(pulled_options(queue));
    const std::vector<std::pair<std::string, std::vector<std::uint8_t>>> impostors = {
        {"notes.mid", {'h', 'e', 'l', 'l', 'o', '\n'}},
        {"empty.mid", {}},
        {"riff.mid", {'R', 'I', 'F', 'F', 0, 0, 0, 0, 's', 'f', 'b', 'k'}},
        {"header-only.mid", {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 1, 0xE0}},
    };
    for (const auto& [name, bytes] : impostors) {
        const auto a = try_open(control, dir.write(name, bytes));
        EXPECT_EQ(a.error, Control::kNotMidi) << name << ": " << a.message;
        EXPECT_TRUE(says(a.message, name)) << a.message;
        EXPECT_TRUE(says(a.message, "not a Standard MIDI File")) << a.message;
        EXPECT_EQ(a.mode, Control::kModeNotOpen);
    }
    // A folder by that name is not a file either.
    const auto folder = try_open(control, std::filesystem::temp_directory_path().string());
    EXPECT_EQ(folder.error, Control::kFileMissing);
}

TEST(OpenFailures, NoSoundFontListsWhereItLooked) {
    ScratchDir dir;
    WindowQueue queue;
    FluidSynthOptions options = pulled_options(queue);
    const std::string empty_folder = dir.write("placeholder.txt", "x");
    options.synth.soundfonts = {"/nowhere/default-GM.sf2",
                                std::filesystem::path(empty_folder).parent_path()};
    Control control(options);
    const auto a = try_open(control, dir.write("one.mid", tiny_tune()));
    EXPECT_EQ(a.error, Control::kNoSoundFont);
    EXPECT_TRUE(says(a.message, "no SoundFont")) << a.message;
    EXPECT_TRUE(says(a.message, "/nowhere/default-GM.sf2")) << a.message;
    EXPECT_TRUE(says(a.message, "*.sf2")) << a.message;
    EXPECT_EQ(a.mode, Control::kModeNotOpen);

    // A file that only pretends to be a SoundFont is reported as refused.
    options.synth.soundfonts = {dir.write("fake.sf2", "not a soundfont")};
    Control refused(options);
    const auto b = try_open(refused, dir.write("one.mid", tiny_tune()));
    EXPECT_EQ(b.error, Control::kNoSoundFont);
    EXPECT_TRUE(says(b.message, "fake.sf2")) << b.message;
}

TEST(OpenFailures, NoAudioOutputNamesTheDriversTried) {
    ScratchDir dir;
    WindowQueue queue;
    FluidSynthOptions options;
    options.post = queue.poster();
    options.output.drivers = {"no-such-driver", "alsa"};
    options.output.settings = {{"audio.alsa.device", "hw:97,0"}};
    Control control(options);
    const auto a = try_open(control, dir.write("one.mid", tiny_tune()));
    EXPECT_EQ(a.error, Control::kAudioOutput);
    EXPECT_TRUE(says(a.message, "audio output")) << a.message;
    EXPECT_TRUE(says(a.message, "no-such-driver, alsa")) << a.message;
    EXPECT_EQ(a.mode, Control::kModeNotOpen);
    // Nothing was left half open, and the Play that follows still names the cause.
    control.command("Play");
    EXPECT_EQ(control.mode(), Control::kModeNotOpen);
    EXPECT_EQ(control.error(), Control::kAudioOutput);
    EXPECT_EQ(control.error_message(), a.message);
    control.command("Close");
    control.command("Play");
    EXPECT_EQ(control.error(), Control::kAudioOutput) << "until an Open succeeds";
}

TEST(OpenFailures, OnlyTheSequencerIsSupportedAndAFailureDoesNotSpoilTheNextOpen) {
    ScratchDir dir;
    WindowQueue queue;
    Control control(pulled_options(queue));
    const std::string tune = dir.write("one.mid", tiny_tune());
    const auto a = try_open(control, tune, "CDAudio");
    EXPECT_EQ(a.error, Control::kUnsupportedDevice);
    EXPECT_TRUE(says(a.message, "CDAudio")) << a.message;

    const auto b = try_open(control, tune, "sequencer");
    EXPECT_EQ(b.error, 0) << b.message;
    EXPECT_EQ(b.mode, Control::kModeStopped);
    // A failed Open of an open device closes it: the next Open starts afresh.
    const auto c = try_open(control, "missing.mid");
    EXPECT_EQ(c.error, Control::kFileMissing);
    EXPECT_EQ(c.mode, Control::kModeNotOpen);
}

}  // namespace
}  // namespace quillon::sound::testing

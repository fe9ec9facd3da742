// The music device as the table drives it: modes through every command, the end of a tune, and
// the loop the status event makes. Audio is pulled block by block, so time here is audio time.
#include <atomic>
#include <thread>

#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

using Control = FluidSynthMediaControl;

class MediaControlTest : public ::testing::Test {
  protected:
    void open(const std::string& file) {
        control.set_device_type("Sequencer");
        control.set_file_name(file);
        control.set_notify(true);
        control.set_wait(false);
        control.set_shareable(false);
        control.command("Open");
        ASSERT_EQ(control.error(), 0) << control.error_message();
    }
    void command(const char* name, std::int32_t mode_after) {
        control.command(name);
        EXPECT_EQ(control.error(), 0) << name << ": " << control.error_message();
        EXPECT_EQ(control.mode(), mode_after) << "after " << name;
    }

    ScratchDir dir;
    WindowQueue queue;
    Control control{pulled_options(queue)};
    // One bar at 240 bpm: the tune lasts exactly one second.
    std::string one_second = dir.write("one.mid", tiny_tune());
};

TEST_F(MediaControlTest, ModesFollowEveryCommandAndReopenTakesAnotherFile) {
    EXPECT_EQ(control.mode(), Control::kModeNotOpen);
    open(one_second);
    EXPECT_EQ(control.mode(), Control::kModeStopped);
    command("Play", Control::kModePlaying);
    EXPECT_GT(rms(render(control, queue, 0.2)), 0.01);
    command("Stop", Control::kModeStopped);
    command("Play", Control::kModePlaying);
    command("pause", Control::kModePaused);
    command("pause", Control::kModePlaying);
    command("Close", Control::kModeNotOpen);
    render(control, queue, 0.02);  // a few milliseconds of fade, so that the cut does not click
    EXPECT_LT(peak(render(control, queue, 0.1)), 1e-6) << "a closed device is silent";

    // Afresh, with another file: an organ tune two bars long.
    open(dir.write("other.mid", tiny_tune(2, 240, 16)));
    EXPECT_EQ(control.mode(), Control::kModeStopped);
    command("Play", Control::kModePlaying);
    EXPECT_GT(rms(render(control, queue, 0.2)), 0.01);
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 1.8, 0.05) << "two bars, 0.2 s gone";
}

TEST_F(MediaControlTest, StopAndPauseKeepThePlace) {
    open(one_second);
    command("Play", Control::kModePlaying);
    render(control, queue, 0.3);
    command("Stop", Control::kModeStopped);
    // FluidSynth silences the channels at once; what rings on is the reverb dying away.
    const auto stopped = render(control, queue, 0.5);
    EXPECT_LT(rms({stopped.end() - 4410, stopped.end()}), 0.002);
    command("Play", Control::kModePlaying);
    render(control, queue, 0.3);
    command("pause", Control::kModePaused);
    render(control, queue, 0.5);
    command("pause", Control::kModePlaying);
    // 0.6 s of the tune were played, so 0.4 s remain.
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 0.4, 0.03);
}

TEST_F(MediaControlTest, AStartPositionAppliesToTheNextPlayOnly) {
    open(one_second);
    control.set_start_position(961);  // tick 960 of 1920: half way
    command("Play", Control::kModePlaying);
    render(control, queue, 0.2);
    command("Stop", Control::kModeStopped);
    command("Play", Control::kModePlaying);  // goes on from 0.7 s
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 0.3, 0.03);

    command("Stop", Control::kModeStopped);
    control.set_start_position(1);
    command("Play", Control::kModePlaying);
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 1.0, 0.03) << "from the top";
}

TEST_F(MediaControlTest, TheEndRaisesTheStatusEventAndPlayFromOneLoopsWithoutAGap) {
    open(one_second);
    int raised = 0;
    std::int32_t mode_seen = 0;
    control.on_status([&] {
        ++raised;
        mode_seen = control.mode();
        control.set_start_position(1);
        control.command("Play");
    });
    command("Play", Control::kModePlaying);
    std::vector<float> audio;
    for (int pass = 1; pass <= 3; ++pass) {
        while (raised < pass && audio.size() < 2 * 44100 * 10) {
            auto more = render(control, queue, kBlock / kRate);
            audio.insert(audio.end(), more.begin(), more.end());
        }
        ASSERT_EQ(raised, pass);
        // The end shows in the block where the tune passes its last tick. A restart that waited
        // for the Play would fall a block behind at every pass.
        const double heard = static_cast<double>(audio.size()) / 2 / kRate;
        EXPECT_GE(heard, pass * 1.0);
        EXPECT_LT(heard, pass * 1.0 + kBlock / kRate) << "pass " << pass;
    }
    EXPECT_EQ(mode_seen, Control::kModeStopped) << "the handler sees the end as stopped";
    EXPECT_EQ(control.mode(), Control::kModePlaying);
    // Each beat starts a chord: no 50 ms stretch of the first three seconds falls silent, the
    // seams at 1 s and 2 s included.
    for (std::size_t at = 0; at + 4410 <= audio.size(); at += 4410) {
        EXPECT_GT(rms({audio.begin() + at, audio.begin() + at + 4410}), 0.005)
            << "silence at " << static_cast<double>(at) / 2 / kRate << " s";
    }
}

TEST_F(MediaControlTest, AnUnansweredEndStopsAtTheTopAndPlayStartsOver) {
    open(one_second);
    command("Play", Control::kModePlaying);
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 1.0, 0.03);
    EXPECT_EQ(control.mode(), Control::kModeStopped);
    const auto after = render(control, queue, 1.0);
    EXPECT_LT(rms({after.end() - 4410, after.end()}), 0.002) << "the music stopped";
    command("Play", Control::kModePlaying);
    EXPECT_NEAR(seconds_until_status(control, queue, 5), 1.0, 0.03) << "a whole pass again";
}

TEST_F(MediaControlTest, LateEndReportsAreDroppedAfterStop) {
    open(one_second);
    int raised = 0;
    control.on_status([&] { ++raised; });
    command("Play", Control::kModePlaying);
    // Render past the end without letting the window run the report yet.
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    for (int i = 0; i < 100; ++i) {
        control.render(left, right);
    }
    command("Stop", Control::kModeStopped);
    queue.drain();
    EXPECT_EQ(raised, 0) << "the Stop came first";
    EXPECT_EQ(control.mode(), Control::kModeStopped);
}

TEST_F(MediaControlTest, CommandsOnAClosedDeviceFailAndChangeNothing) {
    for (const char* name : {"Play", "Stop", "pause", "Close"}) {
        control.command(name);
        EXPECT_EQ(control.error(), Control::kNotOpen) << name;
        EXPECT_NE(control.error_message().find("not open"), std::string::npos);
        EXPECT_EQ(control.mode(), Control::kModeNotOpen);
    }
    open(one_second);
    control.command("Rewind");
    EXPECT_EQ(control.error(), Control::kUnknownCommand);
    EXPECT_NE(control.error_message().find("Rewind"), std::string::npos);
    EXPECT_EQ(control.mode(), Control::kModeStopped);
    command("play", Control::kModePlaying);  // the words are not case sensitive
}

// A real audio thread: FluidSynth's ALSA driver on ALSA's null device, which takes audio as fast
// as it is made, so the one-second tune ends within milliseconds. Where ALSA has no null device,
// FluidSynth's file driver plays in real time instead, taking a second per pass.
TEST(MediaControlThreads, TheEndIsPostedFromTheAudioThreadAndHandledOnTheWindowThread) {
    ScratchDir dir;
    WindowQueue queue;
    std::atomic<bool> posted_elsewhere{false};
    const auto window_thread = std::this_thread::get_id();
    FluidSynthOptions options;
    options.output.drivers = {"alsa", "file"};
    options.output.settings = {{"audio.alsa.device", "null"},
                               {"audio.file.name", dir.write("out.wav", "")}};
    options.post = [&, inner = queue.poster()](std::function<void()> task) {
        posted_elsewhere = std::this_thread::get_id() != window_thread;
        inner(std::move(task));
    };
    FluidSynthMediaControl control(options);
    control.set_device_type("Sequencer");
    control.set_file_name(dir.write("one.mid", tiny_tune()));
    control.command("Open");
    ASSERT_EQ(control.error(), 0) << control.error_message();

    std::thread::id handled_on;
    int raised = 0;
    control.on_status([&] {
        handled_on = std::this_thread::get_id();
        ++raised;
        control.set_start_position(1);
        control.command("Play");
    });
    control.command("Play");
    // The output may post its own tasks too (letting itself go after the Open, before the Play).
    int seen = 0;
    for (int pass = 1; pass <= 2; ++pass) {
        while (raised < pass) {
            ASSERT_TRUE(queue.wait_for_post(seen, std::chrono::seconds(20)));
            seen += queue.drain();
        }
        EXPECT_EQ(raised, pass);
    }
    EXPECT_TRUE(posted_elsewhere);
    EXPECT_EQ(handled_on, window_thread);
    EXPECT_EQ(control.mode(), FluidSynthMediaControl::kModePlaying);
    control.command("Close");
    EXPECT_EQ(control.mode(), FluidSynthMediaControl::kModeNotOpen);
}

}  // namespace
}  // namespace quillon::sound::testing

namespace quillon::sound::testing {
namespace {

// The SoundFont and a warm tune's instruments load on their own thread from construction; the
// first Open takes the engine over, and a control dropped before any Open still ends cleanly.
TEST(MediaControlBackgroundLoad, TheFirstOpenTakesOverTheEngineBuiltMeanwhile) {
    ScratchDir dir;
    WindowQueue queue;
    const std::string tune = dir.write("warm.mid", tiny_tune(2));
    FluidSynthOptions options = pulled_options(queue);
    options.load_in_background = true;
    options.warm_tunes = {tune};
    FluidSynthMediaControl control(options);
    control.set_device_type("Sequencer");
    control.set_file_name(tune);
    control.command("Open");
    ASSERT_EQ(control.error(), 0) << control.error_message();
    control.command("Play");
    EXPECT_GT(rms(render(control, queue, 1.0)), 0.001);

    FluidSynthMediaControl unused(options);
    FluidSynthOptions nowhere = pulled_options(queue);
    nowhere.load_in_background = true;
    nowhere.synth.soundfonts = {std::filesystem::path(tune).parent_path() / "no-such.sf2"};
    FluidSynthMediaControl missing(nowhere);
    missing.set_device_type("Sequencer");
    missing.set_file_name(tune);
    missing.command("Open");
    EXPECT_EQ(missing.error(), FluidSynthMediaControl::kNoSoundFont);
}

}  // namespace
}  // namespace quillon::sound::testing

// Each tune, one whole pass through the game's own output (the device's fade and limiter
// included), sits near -18 dBFS RMS with the win tune above the lounge tune, and never clips.
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

double dbfs(double level) {
    return 20 * std::log10(level);
}

// One pass of the tune, as the game plays it: opened by its bare name and played from the top.
std::vector<float> one_pass(const char* name) {
    WindowQueue queue;
    FluidSynthMediaControl control(game_options(queue));
    control.set_device_type("Sequencer");
    control.set_file_name(name);
    control.command("Open");
    EXPECT_EQ(control.error(), 0) << control.error_message();
    control.command("Play");
    const double seconds = seconds_until_status(control, queue, 0.5);
    EXPECT_LT(seconds, 0) << "no end within the first half second";
    // The pass is timed by the tune's own end: render until the status event reports it.
    std::vector<float> audio;
    bool ended = false;
    control.on_status([&] { ended = true; });
    std::vector<float> left(kBlock);
    std::vector<float> right(kBlock);
    while (!ended && audio.size() < static_cast<std::size_t>(kRate * 2 * 120)) {
        control.render(left, right);
        for (std::size_t i = 0; i < kBlock; ++i) {
            audio.push_back(left[i]);
            audio.push_back(right[i]);
        }
        queue.drain();
    }
    EXPECT_TRUE(ended) << name << " never ended";
    return audio;
}

TEST(Loudness, BothTunesSitNearMinus18WithTheWinTuneAboveAndNeverClip) {
    const std::vector<float> lounge = one_pass("BGM1.mid");
    const std::vector<float> win = one_pass("BGM2.mid");
    const double lounge_rms = dbfs(rms(lounge));
    const double win_rms = dbfs(rms(win));
    RecordProperty("bgm1_rms_dbfs", std::to_string(lounge_rms));
    RecordProperty("bgm2_rms_dbfs", std::to_string(win_rms));
    EXPECT_NEAR(lounge_rms, -18.5, 1.0) << "BGM1";
    EXPECT_NEAR(win_rms, -17.0, 1.0) << "BGM2";
    EXPECT_GE(win_rms - lounge_rms, 1.0) << "the livelier tune is the louder";
    EXPECT_LE(win_rms - lounge_rms, 2.0);
    for (const auto* audio : {&lounge, &win}) {
        EXPECT_LT(dbfs(peak(*audio)), -1.0) << (audio == &lounge ? "BGM1" : "BGM2");
    }
}

}  // namespace
}  // namespace quillon::sound::testing

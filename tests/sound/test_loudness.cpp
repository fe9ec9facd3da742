// Each tune, one whole pass through the game's own output (the device's fade and limiter
// included), sits near -18 dBFS RMS with the win tune above the lounge tune, and never clips;
// and the limiter that keeps it from clipping, on its own.
#include "sound/peak_limiter.h"
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

// The limiter on its own: a sine at a given level for a second, then a quiet one.
struct LimiterCase {
    const char* name;
    float amplitude;
};

void PrintTo(const LimiterCase& row, std::ostream* out) {
    *out << row.name;
}

class Limiter : public ::testing::TestWithParam<LimiterCase> {};

TEST_P(Limiter, HoldsTheCeilingAndLeavesQuietMusicAlone) {
    const float amplitude = GetParam().amplitude;
    PeakLimiter limiter(kRate);
    auto sine = [](float level, int from, int frames) {
        std::vector<float> wave(static_cast<std::size_t>(frames));
        for (int i = 0; i < frames; ++i) {
            wave[static_cast<std::size_t>(i)] =
                level * static_cast<float>(std::sin(2 * M_PI * 440 * (from + i) / kRate));
        }
        return wave;
    };
    const int second = static_cast<int>(kRate);
    std::vector<float> left = sine(amplitude, 0, second);
    std::vector<float> right = left;
    limiter.process(left.data(), right.data(), second);
    EXPECT_LE(peak(left), PeakLimiter::kCeiling + 1e-6f);
    if (amplitude < PeakLimiter::kCeiling) {
        EXPECT_EQ(left, sine(amplitude, 0, second)) << "below the ceiling nothing changes";
    } else {
        EXPECT_NEAR(peak(left), PeakLimiter::kCeiling, 0.01f) << "held at the ceiling, not below";
    }
    // Afterwards quiet music comes back to its own level within half a second.
    std::vector<float> quiet = sine(0.1f, second, second);
    std::vector<float> quiet_right = quiet;
    limiter.process(quiet.data(), quiet_right.data(), second);
    const std::vector<float> settled(quiet.begin() + second / 2, quiet.end());
    EXPECT_NEAR(dbfs(peak(settled)), dbfs(0.1), 0.1);
}

INSTANTIATE_TEST_SUITE_P(Levels, Limiter,
                         ::testing::Values(LimiterCase{"Quiet", 0.3f},
                                           LimiterCase{"JustUnder", 0.84f},
                                           LimiterCase{"Over", 1.0f}, LimiterCase{"FarOver", 4.0f}),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quillon::sound::testing

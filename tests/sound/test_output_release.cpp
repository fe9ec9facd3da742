// A stopped or paused device lets its audio output go once its fade has been heard, and the
// command that starts it again takes the output back and goes on where the tune was. Checked on
// the rendered audio against a run that never stopped.
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

using Control = FluidSynthMediaControl;

struct HaltAndResume {
    const char* name;
    const char* halt;
    const char* resume;
    std::int32_t halted_mode;
};

void PrintTo(const HaltAndResume& row, std::ostream* out) {
    *out << row.name;
}

// The level of each 10 ms of interleaved stereo audio.
std::vector<double> envelope(const std::vector<float>& audio, std::size_t from, std::size_t count) {
    const std::size_t window = static_cast<std::size_t>(kRate / 100) * 2;
    std::vector<double> levels;
    for (std::size_t w = 0; w < count; ++w) {
        const auto begin = audio.begin() + static_cast<long>(from + w * window);
        levels.push_back(rms({begin, begin + static_cast<long>(window)}));
    }
    return levels;
}

double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    double ma = 0;
    double mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ma += a[i] / static_cast<double>(a.size());
        mb += b[i] / static_cast<double>(b.size());
    }
    double ab = 0;
    double aa = 0;
    double bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}

std::size_t samples_for(double seconds) {
    return static_cast<std::size_t>(seconds * kRate / kBlock) * kBlock * 2;
}

class OutputRelease : public ::testing::TestWithParam<HaltAndResume> {
  protected:
    void open(Control& control) {
        control.set_device_type("Sequencer");
        control.set_file_name("BGM1.mid");
        control.command("Open");
        ASSERT_EQ(control.error(), 0) << control.error_message();
    }
    WindowQueue queue;
};

TEST_P(OutputRelease, IsLetGoWhileHaltedAndTakenBackWhereTheTuneWas) {
    const HaltAndResume& row = GetParam();
    constexpr double kBefore = 4.0;  // played before the halt
    constexpr double kAfter = 3.0;   // played after the resume

    Control reference(game_options(queue));
    open(reference);
    reference.command("Play");
    const std::vector<float> straight = render(reference, queue, kBefore + kAfter);

    Control control(game_options(queue));
    open(control);
    control.command("Play");
    EXPECT_TRUE(control.output_open());
    const std::vector<float> before = render(control, queue, kBefore);
    control.command(row.halt);
    EXPECT_EQ(control.mode(), row.halted_mode);

    // The fade: it starts where the music was and goes down smoothly, with no jump larger than
    // the music's own from one sample to the next.
    auto largest_step = [](const std::vector<float>& audio) {
        float largest = 0;
        for (std::size_t i = 2; i < audio.size(); ++i) {
            largest = std::max(largest, std::fabs(audio[i] - audio[i - 2]));
        }
        return largest;
    };
    EXPECT_LE(largest_step(render(control, queue, 0.3)), largest_step(before));
    render(control, queue, 3.0);  // the release tails, then the silence that lets them be heard
    EXPECT_FALSE(control.output_open()) << "a halted device lets the output go";
    EXPECT_EQ(peak(render(control, queue, 1.0)), 0.0f);

    control.command(row.resume);
    EXPECT_EQ(control.mode(), Control::kModePlaying);
    EXPECT_TRUE(control.output_open()) << row.resume << " takes the output back";
    const std::vector<float> after = render(control, queue, kAfter);

    // From half a second in (notes held at the halt are not struck again), the resumed music
    // follows the run that never stopped, to the 10 ms.
    const std::size_t skip = samples_for(0.5);
    const std::size_t windows = 200;
    const auto heard = envelope(after, skip, windows);
    double best = -1;
    int best_lag = 0;
    for (int lag = -30; lag <= 30; ++lag) {
        const std::size_t from =
            samples_for(kBefore) + skip +
            static_cast<std::size_t>(lag) * static_cast<std::size_t>(kRate / 100) * 2;
        const double c = correlation(heard, envelope(straight, from, windows));
        if (c > best) {
            best = c;
            best_lag = lag;
        }
    }
    EXPECT_LE(std::abs(best_lag), 1) << "off by " << best_lag * 10 << " ms";
    EXPECT_GT(best, 0.8);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OutputRelease,
    ::testing::Values(HaltAndResume{"StopThenPlay", "Stop", "Play", Control::kModeStopped},
                      HaltAndResume{"PauseThenPause", "pause", "pause", Control::kModePaused}),
    [](const auto& row) { return std::string(row.param.name); });

// An Open that no Play follows lets the output go as well (Sound Off at the win); without a
// window to ask, the output is simply kept.
TEST(OutputRelease, AnOpenWithoutPlayLetsItGo) {
    WindowQueue queue;
    Control control(game_options(queue));
    control.set_device_type("Sequencer");
    control.set_file_name("BGM2.mid");
    control.command("Open");
    ASSERT_EQ(control.error(), 0) << control.error_message();
    EXPECT_TRUE(control.output_open()) << "the Open checks that there is an output";
    render(control, queue, 0.5);
    EXPECT_FALSE(control.output_open());

    FluidSynthOptions unposted = game_options(queue);
    unposted.post = nullptr;
    Control kept(unposted);
    kept.set_device_type("Sequencer");
    kept.set_file_name("BGM2.mid");
    kept.command("Open");
    render(kept, queue, 0.5);
    EXPECT_TRUE(kept.output_open());
}

}  // namespace
}  // namespace quillon::sound::testing

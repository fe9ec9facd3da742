// Damaged copies of the lounge tune: every truncation, and a few hundred with bytes flipped at
// random (fixed seed). Each either opens and plays, from the start and from the middle, or is
// turned away with an error; none may crash or hang. Also run under AddressSanitizer.
#include <random>

#include "sound/midi_file.h"
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

using Control = FluidSynthMediaControl;

class DamagedFiles : public ::testing::Test {
  protected:
    // Returns true when the file played, false when it was refused.
    bool open_and_play(const std::vector<std::uint8_t>& bytes) {
        control.set_device_type("Sequencer");
        control.set_file_name(dir.write("damaged.mid", bytes));
        control.command("Open");
        if (control.error() != 0) {
            EXPECT_TRUE(control.error() == Control::kNotMidi ||
                        control.error() == Control::kFileMissing)
                << control.error_message();
            EXPECT_FALSE(control.error_message().empty());
            EXPECT_EQ(control.mode(), Control::kModeNotOpen);
            return false;
        }
        control.command("Play");
        render(control, queue, 0.05);
        // From the middle too, so the player walks the whole file while seeking.
        auto parsed = parse_midi(bytes);
        const auto* file = std::get_if<MidiFile>(&parsed);
        EXPECT_NE(file, nullptr) << "the device played what the reader refuses";
        if (file != nullptr) {
            control.set_start_position(static_cast<std::int32_t>(file->end_tick() / 2) + 1);
            control.command("Play");
            render(control, queue, 0.05);
        }
        EXPECT_EQ(control.error(), 0) << control.error_message();
        control.command("Close");
        return true;
    }

    ScratchDir dir;
    WindowQueue queue;
    Control control{pulled_options(queue)};
    std::vector<std::uint8_t> tune = read_bytes("BGM1.mid");
};

TEST_F(DamagedFiles, EveryTruncationIsRefusedOrPlayed) {
    ASSERT_GT(tune.size(), 1000u);
    int played = 0;
    for (std::size_t length = 0; length < tune.size(); ++length) {
        played += open_and_play({tune.begin(), tune.begin() + static_cast<long>(length)});
    }
    // A cut always loses the last track's end, so nothing short of the whole file plays.
    EXPECT_EQ(played, 0);
    EXPECT_TRUE(open_and_play(tune)) << "the whole file plays";
}

TEST_F(DamagedFiles, FlippedBytesAreRefusedOrPlayed) {
    std::mt19937 random(20240611);
    int played = 0;
    constexpr int kCopies = 300;
    for (int copy = 0; copy < kCopies; ++copy) {
        std::vector<std::uint8_t> bytes = tune;
        const int flips = 1 + static_cast<int>(random() % 6);
        for (int f = 0; f < flips; ++f) {
            bytes[random() % bytes.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
        }
        played += open_and_play(bytes);
    }
    // Both outcomes come up: about one copy in six still reads as a file (a changed note, a
    // changed delta time); the rest break its structure or set a data byte's top bit.
    RecordProperty("played", played);
    EXPECT_GT(played, 10);
    EXPECT_LT(played, kCopies);
}

}  // namespace
}  // namespace quillon::sound::testing

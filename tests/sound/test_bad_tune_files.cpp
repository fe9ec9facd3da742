// Something other than a readable tune under the ordinary tune's name, found when the game starts:
// the background warm-up and the Open both meet it. The Open must say what is wrong (for the
// start-up message box), nothing may throw on any thread or block, and the other tune must still
// open and play afterwards. Also run under AddressSanitizer.
#include <sys/stat.h>

#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

namespace fs = std::filesystem;
using Control = FluidSynthMediaControl;

struct BadTune {
    const char* name;
    // Puts the bad "BGM1.mid" in place; runs before the device is made.
    std::function<void(const fs::path&)> make;
    // Runs after the device is made (its warm-up may be under way), before the Open.
    std::function<void(const fs::path&)> then;
    const char* cause;
    int error = FluidSynthMediaControl::kFileMissing;
};

void PrintTo(const BadTune& bad, std::ostream* out) {
    *out << bad.name;
}

const BadTune kBadTunes[] = {
    {"Folder", [](const fs::path& p) { fs::create_directory(p); }, {}, "is a folder"},
    // A FIFO nobody writes to: opening it for reading in the usual way waits forever.
    {"Fifo", [](const fs::path& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); }, {}, "is a FIFO"},
    // A regular file whose read fails at once (the process's memory at address 0).
    {"FailsOnRead",
     [](const fs::path& p) { fs::create_symlink("/proc/self/mem", p); },
     {},
     "could not be read"},
    {"RemovedBeforeTheOpen",
     [](const fs::path& p) { std::ofstream(p, std::ios::binary) << "MThd"; },
     [](const fs::path& p) { fs::remove(p); }, "was not found"},
    {"DanglingLink",
     [](const fs::path& p) { fs::create_symlink("gone.mid", p); },
     {},
     "was not found"},
    // Sparse, so it costs no disk: larger than any tune, and not read at all.
    {"Huge",
     [](const fs::path& p) {
         std::ofstream(p, std::ios::binary) << "MThd";
         fs::resize_file(p, 64u << 20);
     },
     {},
     "too large",
     FluidSynthMediaControl::kNotMidi},
};

class BadTuneAtStartUp : public ::testing::TestWithParam<BadTune> {};

TEST_P(BadTuneAtStartUp, TheOpenSaysWhyAndTheOtherTunePlays) {
    const BadTune& bad = GetParam();
    ScratchDir dir;
    const fs::path bgm1 =
        fs::path(dir.write("BGM2.mid", read_bytes("BGM2.mid"))).parent_path() / "BGM1.mid";
    const std::string bgm2 = (bgm1.parent_path() / "BGM2.mid").string();
    bad.make(bgm1);

    WindowQueue queue;
    FluidSynthOptions options = game_options(queue);
    // As the game makes it: warming the ordinary tune on a thread of its own.
    options.load_in_background = true;
    options.warm_tunes = {bgm1};
    Control control(options);
    if (bad.then) {
        bad.then(bgm1);
    }

    control.set_device_type("Sequencer");
    control.set_file_name(bgm1.string());
    control.command("Open");
    EXPECT_EQ(control.error(), bad.error) << control.error_message();
    EXPECT_NE(control.error_message().find(bad.cause), std::string::npos)
        << control.error_message();
    EXPECT_NE(control.error_message().find(bgm1.string()), std::string::npos)
        << control.error_message();
    EXPECT_EQ(control.mode(), Control::kModeNotOpen);
    control.command("Play");
    EXPECT_EQ(control.error(), bad.error) << "the Play after still names the cause";

    // The game goes on: the win tune opens and sounds.
    control.set_file_name(bgm2);
    control.command("Open");
    ASSERT_EQ(control.error(), 0) << control.error_message();
    control.command("Play");
    EXPECT_GT(rms(render(control, queue, 1.0)), 0.01);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadTuneAtStartUp, ::testing::ValuesIn(kBadTunes),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quillon::sound::testing

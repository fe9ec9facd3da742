// Where the tunes are found: the current folder first, as the game has always opened them, then
// the folders the game is installed with. A player who starts the game from a terminal in their
// home folder hears the music too.
#include <unistd.h>

#include "sound/tune_search.h"
#include "tests/sound/test_support.h"

namespace quillon::sound::testing {
namespace {

namespace fs = std::filesystem;
using Control = FluidSynthMediaControl;

// Runs the test in another current folder and goes back afterwards.
class InFolder {
  public:
    explicit InFolder(const fs::path& folder) : before_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(before_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

  private:
    fs::path before_;
};

struct Folders {
    ScratchDir dir;
    fs::path home, data, other;
    Folders() {
        const fs::path root = fs::path(dir.write("x", "")).parent_path();
        home = root / "home";
        data = root / "share" / "quillon";
        other = root / "other";
        for (const fs::path& p : {home, data, other}) {
            fs::create_directories(p);
        }
    }
};

TEST(TuneSearch, TheCurrentFolderFirstThenTheDataFolders) {
    Folders f;
    const InFolder in(f.home);
    const std::vector<fs::path> folders = {f.other, f.data};
    // Nowhere: the bare name, which the Open reports as missing from the current folder.
    EXPECT_EQ(find_tune("BGM1.mid", folders), fs::path("BGM1.mid"));
    std::ofstream(f.data / "BGM1.mid") << "tune";
    EXPECT_EQ(find_tune("BGM1.mid", folders), f.data / "BGM1.mid");
    std::ofstream(f.other / "BGM1.mid") << "tune";
    EXPECT_EQ(find_tune("BGM1.mid", folders), f.other / "BGM1.mid");
    // A folder of that name in a data folder is passed over.
    fs::create_directory(f.other / "BGM2.mid");
    std::ofstream(f.data / "BGM2.mid") << "tune";
    EXPECT_EQ(find_tune("BGM2.mid", folders), f.data / "BGM2.mid");
    // Whatever lies under the name in the current folder wins, even what is no tune, so that its
    // Open says what is wrong with it.
    std::ofstream(f.home / "BGM1.mid") << "tune";
    EXPECT_EQ(find_tune("BGM1.mid", folders), fs::path("BGM1.mid"));
    fs::create_directory(f.home / "BGM2.mid");
    EXPECT_EQ(find_tune("BGM2.mid", folders), fs::path("BGM2.mid"));
    fs::create_symlink("gone.mid", f.home / "BGM3.mid");
    std::ofstream(f.data / "BGM3.mid") << "tune";
    EXPECT_EQ(find_tune("BGM3.mid", folders), fs::path("BGM3.mid"));
    // A path is taken as it is.
    EXPECT_EQ(find_tune(f.other / "BGM3.mid", folders), f.other / "BGM3.mid");
}

TEST(TuneSearch, TheDataFoldersAreBesideTheProgramAndInShareQuillon) {
    const fs::path program = fs::read_symlink("/proc/self/exe");
    const std::vector<fs::path> folders = installed_data_folders();
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], program.parent_path());
    EXPECT_EQ(folders[1], program.parent_path().parent_path() / "share" / "quillon");
}

// The device started in a folder without tunes opens them from the data folder and plays them;
// the warm-up at start-up finds the same file.
TEST(TuneSearch, TheDeviceOpensATuneFromTheDataFolder) {
    Folders f;
    const std::vector<std::uint8_t> bgm1 = read_bytes("BGM1.mid");
    ASSERT_FALSE(bgm1.empty());
    {
        std::ofstream out(f.data / "BGM1.mid", std::ios::binary);
        out.write(reinterpret_cast<const char*>(bgm1.data()),
                  static_cast<std::streamsize>(bgm1.size()));
    }
    const InFolder in(f.home);
    WindowQueue queue;
    FluidSynthOptions options = game_options(queue);
    options.tune_folders = {f.other, f.data};
    options.load_in_background = true;
    options.warm_tunes = {"BGM1.mid"};
    Control control(std::move(options));
    control.set_device_type(kSequencer);
    control.set_file_name("BGM1.mid");
    control.command("Open");
    ASSERT_EQ(control.error(), 0) << control.error_message();
    control.command("Play");
    EXPECT_EQ(control.mode(), Control::kModePlaying);
    const std::vector<float> heard = render(control, queue, 1.0);
    EXPECT_TRUE(std::any_of(heard.begin(), heard.end(), [](float x) { return x != 0.0f; }));

    // A tune in no folder: the message names the current folder's path and the others.
    control.set_file_name("BGM9.mid");
    control.command("Open");
    EXPECT_EQ(control.error(), Control::kFileMissing);
    const std::string message = control.error_message();
    EXPECT_NE(message.find((f.home / "BGM9.mid").string()), std::string::npos) << message;
    EXPECT_NE(message.find("nor in " + f.other.string() + " " + f.data.string()), std::string::npos)
        << message;
}

}  // namespace
}  // namespace quillon::sound::testing

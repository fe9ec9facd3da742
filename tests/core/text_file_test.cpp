// The one reading of text every file of Quillon gets, the one way its words are echoed, and the
// one way a file is written without waiting on a FIFO or writing into a device.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "base/regular_file.h"
#include "base/text_file.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using namespace std::string_view_literals;

TEST(TextFile, LinesLoseTheByteOrderMarkAndTheCarriageReturnOfEachLineEnd) {
    std::vector<std::pair<int, std::string>> lines;
    for_each_text_line("\xEF\xBB\xBFone\r\ntwo\n\nthree"sv,
                       [&](int n, std::string_view line) { lines.emplace_back(n, line); });
    const std::vector<std::pair<int, std::string>> expected = {
        {1, "one"}, {2, "two"}, {3, ""}, {4, "three"}};
    EXPECT_EQ(lines, expected);
}

TEST(TextFile, ALineIsCleanUtf8WithoutControlCharactersButTheTab) {
    EXPECT_EQ(line_problem("Jacks \xE2\x99\xA0\t9/6"), std::nullopt);
    EXPECT_EQ(line_problem("a\0b"sv), "a NUL byte");
    EXPECT_EQ(line_problem("\x1b[2J"), "a control character (byte 0x1B)");
    EXPECT_EQ(line_problem("\x7f"), "a control character (byte 0x7F)");
    EXPECT_EQ(line_problem("\xC2\x85"), "a control character (U+0085)");
    EXPECT_EQ(line_problem("\xC0\xAF"), "text that is not UTF-8 (byte 0xC0)");
    EXPECT_EQ(line_problem("\xED\xA0\x80"), "text that is not UTF-8 (byte 0xED)");
    EXPECT_EQ(line_problem("cut \xE2\x99"), "text that is not UTF-8 (byte 0xE2)");
}

TEST(TextFile, WordsAreEchoedWithEscapesAndCutAtACharacter) {
    EXPECT_EQ(printable("a\nb\tc\rd\x1b[0m", 100), "a\\nb\\tc\\x0dd\\x1b[0m");
    EXPECT_EQ(printable("csi \xC2\x9B"
                        "31m",
                        100),
              "csi \\xc2\\x9b31m");
    EXPECT_EQ(printable("bad \xff\xfe", 100), "bad \\xff\\xfe");
    EXPECT_EQ(printable("\xE2\x99\xA5 kept", 100), "\xE2\x99\xA5 kept");
    EXPECT_EQ(printable("ab\xE2\x99\xA5", 4), "ab...");
    EXPECT_EQ(printable("ab\x1b", 4), "ab...");
    EXPECT_EQ(echoed(std::string(41, 'x')), "'" + std::string(40, 'x') + "...'");
    EXPECT_EQ(echoed(std::string(40, 'x')), "'" + std::string(40, 'x') + "'");
}

class WrittenFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillon-written-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(WrittenFiles, ReplaceARegularFileWhole) {
    std::ofstream(path("out.txt")) << "a longer text that was there before";
    EXPECT_EQ(write_regular_file(path("out.txt"), "new"), std::nullopt);
    EXPECT_EQ(std::get<std::string>(read_regular_file(path("out.txt"), 100)), "new");
    EXPECT_EQ(write_regular_file(path("made.txt"), "made"), std::nullopt);
    EXPECT_EQ(std::get<std::string>(read_regular_file(path("made.txt"), 100)), "made");
}

TEST_F(WrittenFiles, AreNeverAFifoADeviceOrAFolder) {
    ASSERT_EQ(::mkfifo(path("fifo").c_str(), 0600), 0);
    fs::create_directory(path("folder"));
    // No reader holds the FIFO open: a blocking open would wait for one for ever.
    EXPECT_EQ(write_regular_file(path("fifo"), "x")->reason, "is a FIFO, not a file");
    EXPECT_EQ(write_regular_file("/dev/null", "x")->reason, "is a device, not a file");
    EXPECT_EQ(write_regular_file(path("folder"), "x")->reason, "is a folder, not a file");
    EXPECT_EQ(write_regular_file(path("none/x.txt"), "x")->kind, FileProblem::kMissing);
}

}  // namespace
}  // namespace quillon

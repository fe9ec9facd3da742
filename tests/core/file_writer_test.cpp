// The main() of the build's file writers: the one file named, written whole, or an exit status a
// build stops at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/file_writer.h"

namespace quillon {
namespace {

int run_writer(std::vector<std::string> args, bool succeed = true) {
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    return write_file_main(static_cast<int>(argv.size()), argv.data(), "test-writer",
                           [&](std::ostream& out) {
                               out << "written\n";
                               return succeed;
                           });
}

TEST(FileWriter, WritesTheOneFileNamedOrSaysWhyNot) {
    const std::filesystem::path dir = std::filesystem::path(testing::TempDir()) / "file_writer";
    std::filesystem::create_directories(dir);
    const std::string file = (dir / "out.txt").string();
    ASSERT_EQ(run_writer({"test-writer", file}), 0);
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "written\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(run_writer({"test-writer"}), 2);
    EXPECT_EQ(run_writer({"test-writer", file, "more"}), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "usage: test-writer FILE\nusage: test-writer FILE\n");
    testing::internal::CaptureStderr();
    const std::string nowhere = (dir / "no such folder" / "out.txt").string();
    EXPECT_EQ(run_writer({"test-writer", nowhere}), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "test-writer: cannot write " + nowhere + "\n");
    // A writer that gives up has said why itself: the status alone tells the build.
    EXPECT_EQ(run_writer({"test-writer", file}, false), 1);
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quillon

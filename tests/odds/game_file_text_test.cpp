// Pay-table files as a hostile disk or editor leaves them: paths that are no regular file,
// files too large, and text that is not clean UTF-8. Each is refused with one line naming it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "odds/games/game_file.h"

namespace quillon::odds {
namespace {

namespace fs = std::filesystem;

std::string refusal_of_file(const std::string& path) {
    try {
        read_game_file(path);
    } catch (const GameFileError& e) {
        return e.what();
    }
    return "accepted";
}

std::string refusal_of_text(std::string_view text, const std::string& source = "bad.game") {
    try {
        parse_game(text, source);
    } catch (const GameFileError& e) {
        return e.what();
    }
    return "accepted";
}

class OddPaths : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("quillon-game-file-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string path(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(OddPaths, ThatAreNoRegularFileAreRefusedWithoutBeingRead) {
    ASSERT_EQ(::mkfifo(path("table.game").c_str(), 0600), 0);
    EXPECT_EQ(refusal_of_file(path("table.game")), path("table.game") + ": is a FIFO, not a file");
    EXPECT_EQ(refusal_of_file("/dev/zero"), "/dev/zero: is a device, not a file");
    fs::create_directory(path("folder.game"));
    EXPECT_EQ(refusal_of_file(path("folder.game")),
              path("folder.game") + ": is a folder, not a file");
    EXPECT_EQ(refusal_of_file(path("gone.game")), path("gone.game") + ": was not found");
}

TEST_F(OddPaths, AFileLargerThanAnyPayTableIsRefusedAndOneAtTheCapIsRead) {
    const std::string table = "wild none\nroyal 800\n";
    std::ofstream(path("big.game")) << table << std::string(kMostFileBytes + 1 - table.size(), '#');
    EXPECT_EQ(refusal_of_file(path("big.game")), path("big.game") + ": is larger than 65536 bytes");
    std::ofstream(path("full.game")) << table << std::string(kMostFileBytes - table.size(), '#');
    EXPECT_EQ(read_game_file(path("full.game")).pay_of(HandClass::natural_royal), 800);
}

TEST(GameFileText, AByteOrderMarkOpeningTheFileAndWindowsLineEndsAreRead) {
    const Game game = parse_game(
        "\xEF\xBB\xBFname Jacks \xE2\x99\xA0\t9/6\r\nwild none\r\nroyal 800\r\n", "bom.game");
    EXPECT_EQ(game.name(), "Jacks \xE2\x99\xA0\t9/6");
    EXPECT_EQ(game.pay_of(HandClass::natural_royal), 800);
}

struct BadText {
    std::string_view text;
    std::string_view message;
};

class BadGameText : public ::testing::TestWithParam<BadText> {};

TEST_P(BadGameText, IsRefusedAtItsLine) {
    EXPECT_EQ(refusal_of_text(GetParam().text), GetParam().message);
}

using namespace std::string_view_literals;

INSTANTIATE_TEST_SUITE_P(
    Files, BadGameText,
    ::testing::Values(
        BadText{"wild none\nroyal 800\nfl\0ush 5\n"sv, "bad.game:3: a NUL byte"},
        BadText{"name \xff\xfeX\nwild none\n", "bad.game:1: text that is not UTF-8 (byte 0xFF)"},
        BadText{"name over\xC0\xAFlong\nwild none\n",
                "bad.game:1: text that is not UTF-8 (byte 0xC0)"},
        BadText{"name half\xED\xA0\x80 a pair\nwild none\n",
                "bad.game:1: text that is not UTF-8 (byte 0xED)"},
        BadText{"name cut \xE2\x99", "bad.game:1: text that is not UTF-8 (byte 0xE2)"},
        BadText{"name Evil\x1b[31mRed\nwild none\n", "bad.game:1: a control character (byte 0x1B)"},
        BadText{"wild none\nname a\rb\n", "bad.game:2: a control character (byte 0x0D)"},
        BadText{"name csi \xC2\x9B"
                "31m\nwild none\n",
                "bad.game:1: a control character (U+009B)"},
        BadText{"\xEF\xBB\xBF\xEF\xBB\xBFwild none\n",
                "bad.game:1: unknown word '\xEF\xBB\xBFwild'"},
        // Eighteen zeros and more after the point once overflowed the pay's digits.
        BadText{"wild none\nroyal 1.0000000000000000001\n",
                "bad.game:2: the pay '1.0000000000000000001' is too large or too finely divided"},
        BadText{"wild none\nroyal 99999999999999999999999\n",
                "bad.game:2: the pay '99999999999999999999999' is too large or too finely divided"},
        // With deuces wild the deck's four twos are the wild cards: no deal is five twos.
        BadText{"wild deuces\nroyal 800\nfive twos 100\n", "bad.game:3: no hand is five twos"}));

TEST(GameFileText, PaysAtTheLimitsAreRead) {
    // Four places after the point, zeros among them, are as fine as a pay goes.
    const Game game = parse_game("wild none\nroyal 20\nflush 0.0005\n", "edge.game");
    EXPECT_EQ(game.pay_of(HandClass::natural_royal), 40'000 * game.pay_of(HandClass::flush));
    // Five twos are a hand where the joker makes the fifth.
    EXPECT_NO_THROW(parse_game("wild joker\nroyal 800\nfive twos 100\n", "joker.game"));
}

TEST(GameFileText, AnEchoedWordIsCutAtTheStartOfACharacter) {
    const std::string word(1'000'000, 'x');
    EXPECT_EQ(refusal_of_text("wild none\n" + word + " 5\n"),
              "bad.game:2: unknown word '" + std::string(40, 'x') + "...'");
    // Cut at the start of a character, never inside one.
    const std::string hearts = "\xE2\x99\xA5" + std::string(36, 'x') + "\xE2\x99\xA5xxxx";
    EXPECT_EQ(refusal_of_text("wild none\nflush " + hearts + "\n"),
              "bad.game:2: '\xE2\x99\xA5" + std::string(36, 'x') + "...' is not a pay");
}

}  // namespace
}  // namespace quillon::odds

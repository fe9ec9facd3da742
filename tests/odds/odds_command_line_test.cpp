// quillon-odds' command line as it is declared: the usage and the manual page read the same
// declarations, and the hostile command lines end in one error line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "odds/cli/command_line.h"
#include "odds/games/game_file.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

std::string read_text(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// "--game" as groff writes it.
std::string groff(const std::string& option) {
    std::string out;
    for (const char c : option) {
        out += c == '-' ? std::string("\\-") : std::string(1, c);
    }
    return out;
}

TEST(OddsCommandLine, ManualPageListsEveryCommandAndOptionAsDeclared) {
    const std::string page = read_text(QUILLON_ODDS_MAN_PAGE);
    ASSERT_FALSE(page.empty());
    const std::size_t description = page.find(".SH DESCRIPTION");
    const std::size_t options = page.find(".SH OPTIONS");
    ASSERT_NE(description, std::string::npos);
    ASSERT_NE(options, std::string::npos);
    const std::string synopsis = page.substr(0, description);
    std::size_t declared_options = 0;
    for (const CommandSummary& command : command_summaries()) {
        // The command's synopsis, up to the next line break, names each of its options.
        const std::size_t from = synopsis.find(".B quillon-odds " + command.name + "\n");
        ASSERT_NE(from, std::string::npos) << command.name;
        const std::string lines = synopsis.substr(from, synopsis.find(".br", from) - from);
        std::size_t listed = 0;
        for (std::size_t at = lines.find("\\-\\-"); at != std::string::npos;
             at = lines.find("\\-\\-", at + 1)) {
            ++listed;
        }
        EXPECT_EQ(listed, command.options.size()) << command.name << ":\n" << lines;
        for (const OptionSummary& option : command.options) {
            EXPECT_NE(lines.find(groff(option.name)), std::string::npos)
                << command.name << " " << option.name;
            if (!option.value_name.empty()) {
                EXPECT_NE(lines.find(groff(option.name) + "\n.IR " + option.value_name),
                          std::string::npos)
                    << command.name << " " << option.name;
            }
            // ".BI \\-\\-game " GAME"" or ".B \\-\\-json" under OPTIONS.
            EXPECT_NE(page.find(" " + groff(option.name), options), std::string::npos)
                << option.name << " is not described";
        }
        declared_options += command.options.size();
        EXPECT_NE(page.find(".B " + command.name + "\n", description), std::string::npos)
            << command.name << " is not described";
    }
    EXPECT_GT(declared_options, 10u);
}

TEST(OddsCommandLine, UsageListsEveryCommandOptionAndHandWord) {
    const CliRun r = run({"--help"});
    ASSERT_EQ(r.status, 0);
    for (const CommandSummary& command : command_summaries()) {
        EXPECT_NE(r.out.find("quillon-odds " + command.name), std::string::npos) << command.name;
        for (const OptionSummary& option : command.options) {
            EXPECT_NE(r.out.find("\n  " + option.name), std::string::npos) << option.name;
        }
    }
    for (const std::string_view word : hand_words()) {
        EXPECT_NE(r.out.find(" " + std::string(word)), std::string::npos) << word;
    }
}

struct HostileLine {
    std::vector<std::string_view> args;
    std::string_view says;
};

class OddsCommandLineRefuses : public ::testing::TestWithParam<HostileLine> {};

TEST_P(OddsCommandLineRefuses, InOneErrorLine) {
    const CliRun r = run(GetParam().args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.starts_with("error: ")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_NE(r.err.find(GetParam().says), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OddsCommandLineRefuses,
    ::testing::Values(
        HostileLine{{"return", "--game", "quillon", "--game", "jacks-or-better-9-6"},
                    "--game is given twice"},
        HostileLine{{"return", "--coins=5", "--coins", "5"}, "--coins is given twice"},
        HostileLine{{"return", "--json", "--json"}, "--json is given twice"},
        HostileLine{{"strategy", "--lines", "9", "--lines=9"}, "--lines is given twice"},
        HostileLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--hold", "s1", "--hold", "s2"},
                    "--hold is given twice"},
        HostileLine{{"return", "--game", "--help"}, "--game needs a name"},
        HostileLine{{"hand", "s1", "s2", "s3", "s4", "s5", "--hold", "--json"},
                    "--hold needs the cards held"},
        HostileLine{{"return", "--play", "0"}, "--play takes 1 to 100 hands a round, not '0'"},
        HostileLine{{"return", "--play", "101"}, "not '101'"},
        HostileLine{{"return", "--json=1"}, "--json takes no value"},
        HostileLine{{"return", "--json="}, "--json takes no value"},
        HostileLine{{"chart", "x.chart", "--hand", "s1", "s2", "s3", "s4", "s5", "--hand", "s6",
                     "s7", "s8", "s9", "s10"},
                    "--hand is given twice"},
        HostileLine{{"chart", "x.chart", "--hand", "s1", "s2", "s3"}, "--hand needs five cards"},
        HostileLine{{"return", "--game", "games/a\nb.game"}, "games/a\\nb.game: "},
        HostileLine{{"return", "--game", "a\nb\rc\x1b[2J"}, "unknown game 'a\\nb\\x0dc\\x1b[2J'"},
        HostileLine{{"games", "--game", "quillon"}, "games takes no --game"},
        HostileLine{{"return", "--", "s1"}, "return takes no cards"},
        HostileLine{{"return", "--coins", "-1"}, "--coins takes a bet of 1 to 100 coins, not '-1'"},
        HostileLine{{"return", "-x"}, "unknown option '-x'"}),
    [](const auto& row) { return "line" + std::to_string(row.index); });

TEST(OddsCommandLine, AnEmptyHoldDrawsFive) {
    for (const std::string_view hold : {"", "none"}) {
        const CliRun r = run({"hand", "s1", "s2", "s3", "s4", "s5", "--hold", hold});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("your hold       (draw five)"), std::string::npos) << r.out;
    }
    // "--hold=" says the same as "--hold ''".
    const CliRun r = run({"hand", "s1", "s2", "s3", "s4", "s5", "--hold="});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("your hold       (draw five)"), std::string::npos) << r.out;
}

}  // namespace
}  // namespace quillon::odds

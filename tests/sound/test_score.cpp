// The text scores the tunes are written in: mistakes are caught with file and line, and the
// performance rules (swing, holds, repeats) come out where they should.
#include <gtest/gtest.h>

#include "tools/tunes/performance.h"
#include "tools/tunes/score.h"

namespace quillon::tunes {
namespace {

const char* kHeader =
    "tempo 120\n"
    "meter 4/4\n"
    "instrument lead channel 1 program 65 gate 100\n"
    "instrument kit  channel 10\n";

std::variant<Song, ScoreError> parse(const std::string& body) {
    return parse_score(std::string(kHeader) + body, "test.score");
}

std::string error_of(const std::string& body) {
    auto parsed = parse(body);
    auto* error = std::get_if<ScoreError>(&parsed);
    return error ? error->what : "";
}

TEST(Score, MistakesAreReportedWithFileAndLine) {
    EXPECT_EQ(error_of("section A\nlead: | c4/4 d4 e4 | f4/1 |\nend\nform A\n")
                  .rfind("test.score:6: bar 1 holds 1440 ticks", 0),
              0u);
    EXPECT_NE(error_of("section A\nlead: | h4/1 |\nend\nform A\n").find("\"h4\" is not a note"),
              std::string::npos);
    EXPECT_NE(error_of("section A\nlead: | kick/1 |\nend\nform A\n").find("kick"),
              std::string::npos)
        << "drum names only on the drum channel";
    EXPECT_NE(error_of("section A\nbass: | c2/1 |\nend\nform A\n").find("not a part"),
              std::string::npos);
    EXPECT_NE(error_of("section A\nlead: | c4/1 |\nkit: | kick/1 | % |\nend\nform A\n")
                  .find("differ in length"),
              std::string::npos);
    EXPECT_NE(error_of("section A\nlead: | c4/1 |\nend\nform B\n").find("section B"),
              std::string::npos);
    EXPECT_NE(parse_score("tempo 0\n", "t").index(), 0u) << "a tempo the writer cannot divide by";
    EXPECT_NE(parse_score("meter 4/3\n", "t").index(), 0u);
}

TEST(Score, HoldsRepeatsAndContinuationLinesBuildTheNotes) {
    auto parsed = parse(
        "section A\n"
        "lead: | !90 [c4 e4]/2 _/4 r/4 |\n"
        "      | g4/8^ a4 b4/4 c5/2 |\n"
        "kit:  | kick/4 hat kick hat | % |\n"
        "end\n"
        "form A A\n");
    ASSERT_TRUE(std::holds_alternative<Song>(parsed)) << std::get<ScoreError>(parsed).what;
    const Song& song = std::get<Song>(parsed);
    EXPECT_EQ(song.length, 4u * 1920);
    const auto& lead = song.parts[0].notes;
    ASSERT_EQ(lead.size(), 2u * 6);
    EXPECT_EQ(lead[0].end, 1440u) << "the chord is held a quarter past its half note";
    EXPECT_EQ(lead[2].start, 1920u);
    EXPECT_EQ(lead[2].key, 67);
    EXPECT_GT(lead[2].velocity, lead[3].velocity) << "the accent";
    EXPECT_EQ(lead[6].start, 2u * 1920) << "the form plays the section again";
    EXPECT_EQ(song.parts[1].notes.size(), 2u * 8) << "% repeated the drum bar";
    EXPECT_EQ(song.parts[1].notes[0].key, 36);
}

TEST(Score, SwingMovesOnlyTheOffBeats) {
    EXPECT_EQ(swung(0, 62), 0u);
    EXPECT_EQ(swung(480, 62), 480u);
    EXPECT_EQ(swung(240, 62), 297u);  // 62 % of the beat
    EXPECT_EQ(swung(240, 50), 240u);
    EXPECT_LT(swung(120, 62), swung(240, 62));
    EXPECT_LT(swung(360, 62), 480u);
}

}  // namespace
}  // namespace quillon::tunes

// The charts of games with wild cards are written in sections by the wild cards dealt, and play
// exactly as the flat chart they come from: the same hold in every deal and the same return to
// the last unit of its fraction, at 15 and 26 lines, in every built-in game with wild cards (the
// golden record holds the default charts to their returns). No deal reads more lines than asked,
// and the written chart reads back as itself. Each game builds its table once: one to three seconds
// a game.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>

#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_sectioning.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

class SectionedCharts : public testing::TestWithParam<std::string> {};

TEST_P(SectionedCharts, PlayAsTheFlatChartAndReadBackAsWritten) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies(GetParam());
    const Game& game = tallies.game();
    const std::array<std::size_t, 2> lengths = {15, 26};
    const GeneratedCharts generated = generate_charts_with_table(tallies, lengths);
    for (std::size_t i = 0; i < lengths.size(); ++i) {
        const std::vector<PatternKey>& keys = generated.charts[i];
        const Chart sectioned = sectioned_chart(keys, game, generated.table);
        EXPECT_LE(sectioned.lines_read(), keys.size());
        const std::string text = write_chart(sectioned, game, GetParam());
        const Chart read = read_chart(text, "written.chart", game);
        EXPECT_EQ(write_chart(read, game, GetParam()), text);
        EXPECT_NE(text.find("\nNo "), std::string::npos) << text;

        const Chart flat = chart_of_keys(keys, game);
        const std::vector<TablePick> flat_picks = table_picks(game, flat, generated.table);
        const std::vector<TablePick> read_picks = table_picks(game, read, generated.table);
        std::size_t differ = 0;
        for (std::size_t d = 0; d < flat_picks.size(); ++d) {
            const bool none = flat_picks[d].line == kNoTableLine;
            const bool same = none == (read_picks[d].line == kNoTableLine) &&
                              (none || flat_picks[d].mask == read_picks[d].mask);
            differ += same ? 0 : 1;
        }
        EXPECT_EQ(differ, 0u) << lengths[i] << "\n" << text;
        const std::vector<ChartScore> scores =
            score_charts(tallies, std::vector<Chart>{flat, read}, generated.table);
        EXPECT_EQ(scores[1].check.chart_pay, scores[0].check.chart_pay) << lengths[i];
        EXPECT_EQ(scores[1].check.total, scores[0].check.total);
        EXPECT_EQ(scores[1].unmatched, scores[0].unmatched);
    }
}

INSTANTIATE_TEST_SUITE_P(Games, SectionedCharts,
                         testing::Values("deuces-wild-full-pay", "deuces-wild-nsu",
                                         "bonus-deuces-wild-13-4-3", "loose-deuces-17-10",
                                         "deuces-and-joker-wild", "double-joker-9-5",
                                         "joker-kings-20-7-5", "quillon"),
                         [](const testing::TestParamInfo<std::string>& game) {
                             std::string name = game.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The table's score of a sectioned chart is the score of its words played hold by hold.
TEST(SectionedCharts, TheTableScoresSectionsAsTheWordsPlay) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("deuces-wild-full-pay");
    const std::array<std::size_t, 1> lengths = {20};
    const GeneratedCharts generated = generate_charts_with_table(tallies, lengths);
    const Chart chart = sectioned_chart(generated.charts[0], tallies.game(), generated.table);
    const ChartScore by_table =
        score_charts(tallies, std::vector<Chart>{chart}, generated.table).front();
    const ChartScore by_words = score_chart(tallies, chart);
    EXPECT_EQ(by_table.check.chart_pay, by_words.check.chart_pay);
    EXPECT_EQ(by_table.share, by_words.share);
    EXPECT_EQ(by_table.unmatched, by_words.unmatched);
}

}  // namespace
}  // namespace quillon::odds

// Charts of rules (lines and exceptions on the discards) of games with wild cards are written in
// sections as the plain charts are: read back from their words, they keep every deal's hold and
// score what the flat chart scores to the last unit, and an exception stands just above the bare
// line of its pattern in its section wherever that keeps the play. The perfect charts have the
// most exceptions; a game builds its table and searches its rules once: three to five seconds a
// game.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_sectioning.h"
#include "odds/strategy/chart/rules_report.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

struct RuleCase {
    std::string game;
    std::size_t rules = 0;
};

void PrintTo(const RuleCase& c, std::ostream* out) {
    *out << c.game << " at " << c.rules << " rules";
}

class SectionedRuleCharts : public testing::TestWithParam<RuleCase> {};

TEST_P(SectionedRuleCharts, PlayAsTheFlatChartWithExceptionsBesideTheirLines) {
    QUILLON_WHOLE_GAME_SWEEP();
    const std::string& id = GetParam().game;
    const Tallies& tallies = shared_tallies(id);
    const Game& game = tallies.game();
    const Chart flat = flat_rules_chart(tallies, GetParam().rules);
    ASSERT_TRUE(std::any_of(flat.lines.begin(), flat.lines.end(), [](const ChartLine& l) {
        return l.condition.any();
    })) << "the search found no exception worth a rule: nothing to place";

    const Chart sectioned = sectioned_chart(flat, tallies);
    const std::string text = write_chart(sectioned, game, id);
    EXPECT_NE(text.find("\nNo "), std::string::npos) << text;
    EXPECT_LE(sectioned.lines_read(), flat.lines.size());
    const Chart read = read_chart(text, "rules.chart", game);
    EXPECT_EQ(write_chart(read, game, id), text);
    ASSERT_EQ(read.lines.size(), sectioned.lines.size());
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        EXPECT_EQ(read.lines[i].key, sectioned.lines[i].key) << read.lines[i].words;
        EXPECT_EQ(read.lines[i].condition, sectioned.lines[i].condition) << read.lines[i].words;
        EXPECT_EQ(read.lines[i].section, sectioned.lines[i].section) << read.lines[i].words;
    }

    // The same hold on every deal, by the words of the same rule.
    const ChartDecider by_flat(flat, game);
    const ChartDecider by_sections(read, game);
    const std::vector<DealClass> classes = deal_classes(game.jokers());
    std::size_t differ = 0;
    for (const DealClass& deal : classes) {
        const std::array<CardId, 5> cards = class_cards(deal, game.has_joker());
        const ChartDecision a = by_flat.decide(cards);
        const ChartDecision b = by_sections.decide(cards);
        const bool same =
            (a.line == 0) == (b.line == 0) && a.hold == b.hold &&
            (a.line == 0 || flat.lines[a.line - 1].condition == read.lines[b.line - 1].condition);
        differ += same ? 0 : 1;
    }
    EXPECT_EQ(differ, 0u) << text;
    const ChartScore flat_score = score_chart(tallies, flat);
    const ChartScore read_score = score_chart(tallies, read);
    EXPECT_EQ(read_score.check.chart_pay, flat_score.check.chart_pay);
    EXPECT_EQ(read_score.check.total, flat_score.check.total);
    EXPECT_EQ(read_score.unmatched, flat_score.unmatched);

    // An exception with the bare line of its pattern in its section stands just above it (or
    // above the other exceptions on it there), unless a line between would then take some deal
    // the exception decides: moved there by hand, some deal of the section plays otherwise.
    std::size_t beside = 0;
    std::size_t apart = 0;
    for (std::size_t i = 0; i < read.lines.size(); ++i) {
        const ChartLine& exception = read.lines[i];
        if (!exception.condition.any()) {
            continue;
        }
        const auto in_scope = [&](std::size_t k) {
            return k < read.lines.size() && read.lines[k].section == exception.section;
        };
        std::size_t top = i + 1;
        while (in_scope(top) && read.lines[top].key == exception.key &&
               read.lines[top].condition.any()) {
            ++top;
        }
        if (in_scope(top) && read.lines[top].key == exception.key) {
            ++beside;
            continue;
        }
        std::size_t bare = top;
        while (in_scope(bare) &&
               !(read.lines[bare].key == exception.key && !read.lines[bare].condition.any())) {
            ++bare;
        }
        if (!in_scope(bare)) {
            continue;
        }
        for (top = bare; top - 1 > i && read.lines[top - 1].key == exception.key &&
                         read.lines[top - 1].condition.any();) {
            --top;
        }
        ++apart;
        Chart moved = read;
        std::rotate(moved.lines.begin() + static_cast<std::ptrdiff_t>(i),
                    moved.lines.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                    moved.lines.begin() + static_cast<std::ptrdiff_t>(top));
        const ChartDecider by_moved(moved, game);
        bool changes = false;
        for (std::size_t d = 0; d < classes.size() && !changes; ++d) {
            const std::array<CardId, 5> cards = class_cards(classes[d], game.has_joker());
            const ChartDecision a = by_sections.decide(cards);
            const ChartDecision b = by_moved.decide(cards);
            changes = a.hold != b.hold || a.words != b.words;
        }
        EXPECT_TRUE(changes) << "'" << exception.words << "' could stand beside its bare line\n"
                             << text;
    }
    EXPECT_GT(beside, 0u) << text;
    RecordProperty("beside", static_cast<int>(beside));
    RecordProperty("apart", static_cast<int>(apart));
}

INSTANTIATE_TEST_SUITE_P(Games, SectionedRuleCharts,
                         testing::Values(RuleCase{"deuces-wild-full-pay", 0},
                                         RuleCase{"joker-kings-20-7-5", 0}),
                         [](const testing::TestParamInfo<RuleCase>& c) {
                             std::string name = c.param.game;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace quillon::odds

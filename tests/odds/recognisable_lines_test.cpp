// The lines a player works out at the table are found by their words in every game, and the
// table of the lines a player reads at sight is the table the deals give with those left out.
#include <gtest/gtest.h>

#include <string>

#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/recognisable_lines.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

// The words of a worked-out line say what is to be worked out, and no other line's words do:
// a field read in a game where its bits belong to another would show here.
TEST(RecognisableLines, WorkedOutExactlyWhereTheWordsCountStraights) {
    std::size_t worked = 0;
    for (const std::string_view name : game_names()) {
        const Game game = find_game(name).value();
        const RankProfile profile = rank_profile(game);
        for (const PatternKey key : vocabulary(game, profile)) {
            const std::string text = pattern_text(key, game, profile);
            const bool counts = text.find("less discards") != std::string::npos ||
                                text.find("straights clear") != std::string::npos ||
                                text.find("straight clear") != std::string::npos;
            EXPECT_EQ(worked_out(key, profile), counts) << name << ": " << text;
            worked += counts ? 1 : 0;
        }
    }
    EXPECT_GT(worked, 10u);
}

TEST(RecognisableLines, TheTableWithoutThemIsTheTableTheDealsGive) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Tallies& tallies = shared_tallies("joker-kings-20-7-5");
    const Game& game = tallies.game();
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    const std::unordered_set<PatternKey> worked = worked_out_patterns(game, profile);
    ASSERT_FALSE(worked.empty());
    const DealPatterns whole = deal_patterns(tallies, profile, deal_classes(game.jokers()),
                                             default_threads(), &words.shadowed);
    std::unordered_set<PatternKey> left_out = words.shadowed;
    left_out.insert(worked.begin(), worked.end());
    const DealPatterns rebuilt =
        deal_patterns(tallies, profile, deal_classes(game.jokers()), default_threads(), &left_out);
    const DealPatterns cut = without_patterns(whole, worked);
    EXPECT_EQ(cut.keys, rebuilt.keys);
    EXPECT_EQ(cut.parents, rebuilt.parents);
    EXPECT_EQ(cut.entry_begin, rebuilt.entry_begin);
    EXPECT_EQ(cut.entry_pattern, rebuilt.entry_pattern);
    ASSERT_EQ(cut.entry_count(), rebuilt.entry_count());
    for (std::size_t d = 0; d < cut.deal_count(); d += 7) {
        for (std::uint32_t e = cut.entry_begin[d]; e < cut.entry_begin[d + 1]; ++e) {
            ASSERT_EQ(cut.mask(d, e), rebuilt.mask(d, e));
            ASSERT_EQ(cut.value(d, e), rebuilt.value(d, e));
        }
    }
    EXPECT_EQ(build_chart(cut, 20), build_chart(rebuilt, 20));
}

}  // namespace
}  // namespace quillon::odds

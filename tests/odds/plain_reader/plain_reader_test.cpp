// The generated charts read a second time, by a reader that knows only the header's sentences and
// the lines' words (plain_chart.h): on every deal class it keeps the very cards the chart's own
// scorer keeps. A deal where the two part is a line that can be read two ways.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_score.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "tests/odds/odds_test_support.h"
#include "tests/odds/plain_reader/plain_chart.h"
#include "tests/odds/recorded_charts.h"

namespace quillon::odds {
namespace {

struct Case {
    const char* game;
    const char* lines;  // empty: the default length
};

// The tie rule as the charts' headers state it.
constexpr const char* kHeader =
    "# where a line fits several holds, keep the one that can make the most straights (a royal's "
    "cards first), then the one whose natural cards add up to more (a two counting 1, a three 2 "
    "and so on to an ace 13), then the first in card order (by rank, two to ace, then suit, s d c "
    "h: of two holds the one that throws away the highest card only one of them keeps).\n";

class PlainReader : public ::testing::TestWithParam<Case> {};

TEST_P(PlainReader, KeepsTheScorersHoldOnEveryDeal) {
    const Case c = GetParam();
    const Game game = find_game(c.game).value();
    const std::string text = recorded_chart(c.game, c.lines);
    ASSERT_FALSE(text.empty());
    const Chart chart = read_chart(text, "recorded.chart", game);
    const plain::Table table(game);
    plain::Chart words;
    ASSERT_NO_THROW(words = plain::read(text, game));
    ASSERT_EQ(words.lines.size(), chart.lines.size());

    std::size_t differ = 0;
    std::string first;
    const ChartDecider scorer(chart, game);
    for (const DealClass& deal : deal_classes(game.jokers())) {
        const std::array<CardId, 5> cards = class_cards(deal, game.jokers() > 0);
        plain::Decision mine;
        try {
            mine = plain::decide(words, table, cards);
        } catch (const plain::UnknownWords& e) {
            FAIL() << e.what();
        }
        const ChartDecision scored = scorer.decide(cards);
        if (mine.hold != scored.hold) {
            if (differ++ < 8) {
                first += "\n  " + held_cards(cards, 0x1f) + ": the words keep " +
                         held_cards(cards, mine.hold) + " by '" + words.lines[mine.line - 1].words +
                         "', the scorer " + held_cards(cards, scored.hold) + " by '" +
                         scored.words + "'";
            }
        }
    }
    EXPECT_EQ(differ, 0u) << c.game << " " << c.lines << ":" << first;
}

INSTANTIATE_TEST_SUITE_P(
    GeneratedCharts, PlainReader,
    ::testing::Values(Case{"jacks-or-better-9-6", "15"}, Case{"jacks-or-better-9-6", "26"},
                      Case{"jacks-or-better-9-6", ""}, Case{"deuces-wild-full-pay", "15"},
                      Case{"deuces-wild-full-pay", "26"}, Case{"deuces-wild-full-pay", ""},
                      Case{"joker-kings-20-7-5", "15"}, Case{"joker-kings-20-7-5", "26"},
                      Case{"joker-kings-20-7-5", ""}, Case{"double-double-bonus-9-6", "15"},
                      Case{"double-double-bonus-9-6", "26"}, Case{"double-double-bonus-9-6", ""}),
    [](const ::testing::TestParamInfo<Case>& param) {
        std::string name = std::string(param.param.game) + "_" +
                           (param.param.lines[0] != 0 ? param.param.lines : "default");
        for (char& ch : name) {
            ch = ch == '-' ? '_' : ch;
        }
        return name;
    });

// The reader knows only what it was taught: any other line is refused, quoting it.
TEST(PlainReaderWords, RefusesALineItDoesNotKnow) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const std::string header = kHeader;
    EXPECT_NO_THROW(plain::read(header + "4 to a flush\n", game));
    try {
        plain::read(header + "4 to a flush\n3 to a royal flush, with a 9 discarded\n", game);
        FAIL() << "read a line it does not know";
    } catch (const plain::UnknownWords& e) {
        EXPECT_NE(std::string(e.what()).find("'3 to a royal flush, with a 9 discarded'"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_THROW(plain::read("4 to a flush\n", game), plain::UnknownWords) << "no tie rule";
}

// A few deals by hand, so that the reader itself is seen to read as the words say.
TEST(PlainReaderWords, ReadsTheWordsAsWritten) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const plain::Table table(game);
    const plain::Chart chart = plain::read(
        std::string(kHeader) +
            "# a made hand that a line names is the dealt hand, kept before any draw the same line "
            "names.\n"
            "# high cards: jacks, queens, kings and aces, the ranks whose pair pays (the ace "
            "counts "
            "as a high card).\n"
            "royal flush, straight flush, four of a kind or 4 to a royal flush\n"
            "3 to a straight flush, not a royal, at least as many high cards as gaps, not 2-3-4, "
            "A-2-3, A-2-4 or A-3-4\n"
            "a high card alone\ndiscard everything\n",
        game);
    const auto kept = [&](const std::string& deal) {
        const std::array<CardId, 5> cards = parse_deal(deal);
        return held_cards(cards, plain::decide(chart, table, cards).hold);
    };
    EXPECT_EQ(kept("h10 h11 h12 h13 h1"), "h10 h11 h12 h13 h1");
    EXPECT_EQ(kept("h10 h11 h12 h13 s3"), "h10 h11 h12 h13");
    EXPECT_EQ(kept("h5 h6 h7 s13 d2"), "h5 h6 h7");
    EXPECT_EQ(kept("h2 h3 h4 s13 d9"), "s13");
    // The jack can make four straights, the king two.
    EXPECT_EQ(kept("s11 d13 c3 h6 s8"), "s11");
    EXPECT_EQ(kept("s2 d4 c6 h8 s10"), "(draw five)");
}

}  // namespace
}  // namespace quillon::odds

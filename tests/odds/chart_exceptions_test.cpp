// Lines that state what the discarded cards show: each keeps its pattern's holds only where the
// cards thrown away meet its words, is refused where no hold could, and reads back the same.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

const std::vector<WordDecision> kExceptionDeals = {
    // One card thrown away, and it is a ten: the flush over three to a royal.
    {"jacks-or-better-9-6", "4 to a flush, when the discarded card is a 10\n3 to a royal flush",
     "h10 h11 h1 h5 s10", "h10 h11 h1 h5"},
    {"jacks-or-better-9-6", "4 to a flush, when the discarded card is a 10\n3 to a royal flush",
     "h10 h11 h1 h5 s9", "h10 h11 h1"},
    // A nine and a card of the king's suit among the discards.
    {"jacks-or-better-9-6", "king alone, with a 9 discarded, flush penalty\nsuited 10-K",
     "s13 s10 d9 d4 c2", "s13"},
    {"jacks-or-better-9-6", "king alone, with a 9 discarded, flush penalty\nsuited 10-K",
     "s13 s10 d8 d4 c2", "s13 s10"},
    {"jacks-or-better-9-6", "king alone, with a nine discarded, no flush penalty\nsuited 10-K",
     "s13 s10 d9 d4 c2", "s13 s10"},
    // A nine lies in 7-J, 8-Q and 9-K with suited 10-J; a three, four or six in none.
    {"jacks-or-better-9-6", "suited 10-J, no straight penalty\njack alone", "h10 h11 s9 d4 c2",
     "h11"},
    {"jacks-or-better-9-6", "suited 10-J, no straight penalty\njack alone", "h10 h11 s3 d4 c6",
     "h10 h11"},
    {"jacks-or-better-9-6", "suited 10-J, straight penalty\njack alone", "h10 h11 s3 d4 c6", "h11"},
    // A discarded queen is a high-card penalty to suited 10-J.
    {"jacks-or-better-9-6", "suited 10-J, no high-card penalty\nunsuited J-Q", "h10 h11 s12 d4 c2",
     "h11 s12"},
    {"jacks-or-better-9-6", "suited 10-J, no high-card penalty\nunsuited J-Q", "h10 h11 s3 d4 c2",
     "h10 h11"},
    // Wild cards thrown away are no penalty of any kind.
    {"deuces-wild-full-pay", "3 to a royal flush, no straight penalty\npair", "h10 h11 h12 s2 d5",
     "h10 h11 h12"},
};

TEST(ChartExceptions, KeepTheirHoldsWhereTheDiscardsMeetTheWords) {
    for (const WordDecision& word : kExceptionDeals) {
        EXPECT_EQ(one_line_hold(word), word.hold) << word.chart << " on " << word.deal;
    }
}

std::string error_of(const std::string& text) {
    try {
        read_chart(text, "e.chart", find_game("jacks-or-better-9-6").value());
    } catch (const ChartError& e) {
        return e.what();
    }
    return "";
}

TEST(ChartExceptions, RefuseConditionsNoHoldCanMeet) {
    EXPECT_EQ(error_of("flush, with a 9 discarded\n"),
              "e.chart:1: 'flush, with a 9 discarded' keeps all five cards: no card is discarded");
    EXPECT_EQ(error_of("3 to a royal flush, when the discarded card is a 9\n"),
              "e.chart:1: '3 to a royal flush, when the discarded card is a 9' can never hold: the "
              "pattern throws away 2 cards, not one");
    EXPECT_EQ(error_of("discard everything, straight penalty\n"),
              "e.chart:1: 'discard everything, straight penalty' can never hold: a penalty is told "
              "by the natural cards kept, and the pattern keeps none");
    EXPECT_EQ(error_of("jack alone\njack alone, with a 9 discarded\n"),
              "e.chart:2: 'jack alone, with a 9 discarded' can never decide a deal: line 1 above "
              "takes every hold of its pattern");
    EXPECT_EQ(error_of("jack alone, with a 9 discarded\njack alone, with a nine discarded\n"),
              "e.chart:2: 'jack alone, with a nine discarded' is already the line of line 1");
    // A flush penalty alone is a pattern's words, not a condition; a condition the words do not
    // know stays an unknown pattern.
    EXPECT_NE(error_of("king alone, flush penalty\n").find("unknown pattern"), std::string::npos);
    EXPECT_NE(error_of("jack alone, with a 1 discarded\n").find("unknown pattern"),
              std::string::npos);
}

TEST(ChartExceptions, WriteBackAsTheSameLines) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const Chart chart = read_chart(
        "4 to a flush, when the discarded card is a 10 or an 8\n3 to a royal flush\n"
        "King alone,  with a 9 discarded, flush penalty\nsuited 10-K\ndiscard everything\n",
        "e.chart", game);
    ASSERT_EQ(chart.lines.size(), 5u);
    EXPECT_EQ(condition_text(chart.lines[0].condition),
              ", when the discarded card is an 8 or a 10");
    const Chart back = read_chart(write_chart(chart, game, "jacks-or-better-9-6"), "w", game);
    EXPECT_EQ(back.keys(), chart.keys());
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].condition, chart.lines[i].condition) << i;
    }
}

}  // namespace
}  // namespace quillon::odds

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
    // The ranks kept name some holds of a pattern: A-K-10 takes the three to a royal, Q-J-10
    // lets it go to the flush draw below; A-10 is in every flush draw that keeps both.
    {"jacks-or-better-9-6", "3 to a royal flush, A-K-10 kept\n4 to a flush\n3 to a royal flush",
     "h1 h13 h10 h5 s9", "h1 h13 h10"},
    {"jacks-or-better-9-6", "3 to a royal flush, A-K-10 kept\n4 to a flush\n3 to a royal flush",
     "h12 h11 h10 h5 s9", "h12 h11 h10 h5"},
    {"jacks-or-better-9-6", "4 to a flush, A-10 kept\n3 to a royal flush", "h1 h13 h10 h5 s9",
     "h1 h13 h10 h5"},
    {"jacks-or-better-9-6", "4 to a flush, A-10 kept\n3 to a royal flush", "h1 h13 h11 h5 s10",
     "h1 h13 h11"},
    // Two cards of the king's suit thrown away, the ten among them; one is not enough.
    {"jacks-or-better-9-6", "king alone, 2 or more of its suit discarded\nsuited 10-K",
     "s13 s10 s2 d4 c6", "s13"},
    {"jacks-or-better-9-6", "king alone, 2 or more of its suit discarded\nsuited 10-K",
     "s13 s10 h2 d4 c6", "s13 s10"},
    // A rank that none of the discards has, with one that some discard has.
    {"jacks-or-better-9-6", "king alone, with no 9 discarded\nsuited 10-K", "s13 s10 d8 d4 c2",
     "s13"},
    {"jacks-or-better-9-6", "king alone, with no 9 discarded\nsuited 10-K", "s13 s10 d9 d4 c2",
     "s13 s10"},
    {"jacks-or-better-9-6", "king alone, with a 4 discarded, with no 9 or 8 discarded\nsuited 10-K",
     "s13 s10 d7 d4 c2", "s13"},
    {"jacks-or-better-9-6", "king alone, with a 4 discarded, with no 9 or 8 discarded\nsuited 10-K",
     "s13 s10 d8 d4 c2", "s13 s10"},
    {"jacks-or-better-9-6",
     "king alone, K kept, with a 4 discarded, with no 9 discarded\nsuited 10-K", "s13 s10 d8 d4 c2",
     "s13"},
    // The ranks kept in a game with wild cards.
    {"deuces-wild-full-pay", "3 to a royal flush, Q-J kept\npair", "h10 h11 h12 s2 d5",
     "h10 h11 h12"},
    {"deuces-wild-full-pay", "3 to a royal flush, Q-J kept\npair", "h10 h11 h13 s2 d5",
     "(draw five)"},
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
    EXPECT_EQ(error_of("suited 10-K, A-K-10 kept\n"),
              "e.chart:1: 'suited 10-K, A-K-10 kept' can never hold: it names 3 ranks kept, and "
              "the pattern keeps 2 natural cards");
    EXPECT_EQ(error_of("king alone, with a 9 discarded, with no 9 discarded\n"),
              "e.chart:1: 'king alone, with a 9 discarded, with no 9 discarded' can never hold: "
              "it asks for the ranks it rules out");
    EXPECT_EQ(error_of("king alone, 3 or more of its suit discarded, no flush penalty\n"),
              "e.chart:1: 'king alone, 3 or more of its suit discarded, no flush penalty' can "
              "never hold: it asks for more cards of the kept suit thrown away than can be");
    EXPECT_EQ(error_of("4 to a flush, 2 or more of its suit discarded\n"),
              "e.chart:1: '4 to a flush, 2 or more of its suit discarded' can never hold: it asks "
              "for more cards of the kept suit thrown away than can be");
    // A rank named twice, or a rank the deck does not have, is no condition.
    EXPECT_NE(error_of("3 to a royal flush, A-A-10 kept\n").find("unknown pattern"),
              std::string::npos);
    EXPECT_NE(error_of("king alone, with no 1 discarded\n").find("unknown pattern"),
              std::string::npos);
    // A flush penalty alone is a pattern's words, not a condition; a condition the words do not
    // know stays an unknown pattern.
    EXPECT_NE(error_of("king alone, flush penalty\n").find("unknown pattern"), std::string::npos);
    EXPECT_NE(error_of("jack alone, with a 1 discarded\n").find("unknown pattern"),
              std::string::npos);
}

TEST(ChartExceptions, WriteBackAsTheSameLines) {
    const Game game = find_game("jacks-or-better-9-6").value();
    const Chart chart = read_chart(
        "3 to a royal flush, 10-a-k kept, with no queen or 9 discarded\n"
        "4 to a flush, when the discarded card is a 10 or an 8\n3 to a royal flush\n"
        "King alone,  with a 9 discarded, flush penalty\nsuited 10-K\n"
        "king alone, 2 or more of its suit discarded, with a 9 discarded\ndiscard everything\n",
        "e.chart", game);
    ASSERT_EQ(chart.lines.size(), 7u);
    EXPECT_EQ(condition_text(chart.lines[5].condition),
              ", with a 9 discarded, 2 or more of its suit discarded");
    EXPECT_EQ(condition_text(chart.lines[0].condition), ", A-K-10 kept, with no 9 or Q discarded");
    EXPECT_EQ(condition_text(chart.lines[1].condition),
              ", when the discarded card is an 8 or a 10");
    const Chart back = read_chart(write_chart(chart, game, "jacks-or-better-9-6"), "w", game);
    EXPECT_EQ(back.keys(), chart.keys());
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].condition, chart.lines[i].condition) << i;
    }
}

}  // namespace
}  // namespace quillon::odds

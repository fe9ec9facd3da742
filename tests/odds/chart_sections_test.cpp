// Charts divided by the number of wild cards dealt: each deal plays its own section's lines (and
// those above the first heading), the words are refused where no deal could play them, and a
// chart written back reads as the same sections.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

std::string error_of(const std::string& game, const std::string& text) {
    try {
        read_chart(text, "s.chart", find_game(game).value());
    } catch (const ChartError& e) {
        return e.what();
    }
    return "";
}

TEST(ChartSections, RefuseHeadingsAndLinesNoDealCanPlay) {
    EXPECT_EQ(error_of("jacks-or-better-9-6", "high pair (jacks or better)\ntwo deuces\npair\n"),
              "s.chart:2: 'two deuces' heads a section by wild cards, but Jacks or Better 9/6 has "
              "none");
    EXPECT_EQ(error_of("deuces-wild-full-pay", "two deuces\n2 deuces alone\n\nTwo Deuces:\npair\n"),
              "s.chart:4: a second section for two deuces (the first is line 1)");
    EXPECT_NE(error_of("quillon", "two jokers\njoker alone\n")
                  .find("s.chart:1: 'two jokers' heads "
                        "a section, but the deck has "
                        "one joker"),
              std::string::npos);
    EXPECT_NE(error_of("quillon", "one deuce\ndeuce alone\n")
                  .find("s.chart:1: 'one deuce' heads a "
                        "section, but the deuce is not "
                        "wild"),
              std::string::npos);
    EXPECT_EQ(error_of("deuces-wild-full-pay", "one deuce\ndeuce alone\n2 deuces alone\n"),
              "s.chart:3: '2 deuces alone' keeps 2 wild cards, and no deal of the section for one "
              "deuce has them");
    // Where the deck has deuces and the joker a section counts every wild card dealt, and says
    // so.
    EXPECT_EQ(error_of("deuces-and-joker-wild", "one deuce\nwild card alone\n"),
              "s.chart:1: 'one deuce' heads a section, but the wild cards of Deuces and Joker Wild "
              "are deuces and the joker: say 'one wild card'");
    EXPECT_EQ(error_of("deuces-and-joker-wild", "Five wild cards:\n4 wild cards alone\n"), "");
    // A line above the sections stands for all of them; within a section a line is given once,
    // and every section may name its own made hands.
    EXPECT_NE(error_of("deuces-wild-full-pay", "straight\nno deuces\nstraight\n")
                  .find("s.chart:3: 'straight' is already the pattern of line 1"),
              std::string::npos);
    EXPECT_EQ(error_of("deuces-wild-full-pay",
                       "one deuce: straight\ndeuce alone\nno deuces\n"
                       "straight\n"),
              "");
    // The words a line starts with are a heading only before a colon or alone.
    EXPECT_EQ(read_chart("2 deuces alone\n", "s", find_game("deuces-wild-full-pay").value())
                  .lines.front()
                  .section,
              -1);
}

const std::vector<WordDecision> kSectionDeals = {
    // A made hand named in one section is no line of another.
    {"deuces-wild-full-pay", "no deuces\nstraight\none deuce\ndeuce alone", "s2 d6 c7 h8 s9", "s2"},
    {"deuces-wild-full-pay", "no deuces\nstraight\none deuce\ndeuce alone", "s5 d6 c7 h8 s9",
     "s5 d6 c7 h8 s9"},
    {"deuces-wild-full-pay", "one deuce: straight\ndeuce alone", "s2 d6 c7 h8 s9",
     "s2 d6 c7 h8 s9"},
    // A deal of a count without a section plays the lines above the first heading only.
    {"deuces-wild-full-pay", "pair\nthree deuces\n3 deuces alone", "s2 d9 c9 h4 s13", "d9 c9"},
    {"deuces-wild-full-pay", "pair\nthree deuces\n3 deuces alone", "s2 d2 c2 h4 s9", "s2 d2 c2"},
    {"joker-kings-20-7-5", "no joker\nhigh pair (kings or better)\none joker\njoker alone",
     "joker s13 d13 c5 h8", "joker"},
    // The joker and a deuce are two wild cards.
    {"deuces-and-joker-wild", "two wild cards\n2 wild cards alone\none wild card\nwild card alone",
     "joker s2 c9 d4 h13", "joker s2"},
    {"deuces-and-joker-wild", "two wild cards\n2 wild cards alone\none wild card\nwild card alone",
     "joker s3 c9 d4 h13", "joker"},
};

TEST(ChartSections, EachDealPlaysItsOwnSection) {
    for (const WordDecision& word : kSectionDeals) {
        // The test support adds "discard everything" below, in the last section.
        EXPECT_EQ(one_line_hold(word), word.hold) << word.chart << " on " << word.deal;
    }
}

// Every deal decides as a chart of its section's lines alone would: the scorer looks at no line
// of another section.
TEST(ChartSections, ADealDecidesAsItsSectionAloneWould) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game game = find_game("deuces-wild-full-pay").value();
    const std::string text =
        "three deuces\nwild royal\n3 deuces alone\n"
        "one deuce\nstraight\ndeuce + 3 to a royal flush\nflush\n"
        "deuce + pair\ndeuce alone\n"
        "no deuces\n4 to a royal flush\nstraight\nflush\npair\n"
        "discard everything\n";
    const Chart chart = read_chart(text, "s.chart", game);
    std::array<Chart, 5> alone;
    for (const ChartLine& line : chart.lines) {
        ChartLine plain = line;
        plain.section = -1;
        alone.at(static_cast<std::size_t>(line.section)).lines.push_back(plain);
    }
    const std::vector<DealClass> deals = deal_classes(false);
    std::size_t decided = 0;
    for (std::size_t d = 0; d < deals.size(); d += 17) {
        const std::array<CardId, 5> cards = class_cards(deals[d], false);
        int wild = 0;
        for (const CardId card : cards) {
            wild += is_wild(card, game) ? 1 : 0;
        }
        const ChartDecision mine = decide_deal(chart, game, cards);
        const ChartDecision own =
            decide_deal(alone.at(static_cast<std::size_t>(wild)), game, cards);
        ASSERT_EQ(mine.hold, own.hold) << held_cards(cards, 0x1f);
        ASSERT_EQ(mine.words, own.words) << held_cards(cards, 0x1f);
        decided += mine.line != 0 ? 1 : 0;
    }
    EXPECT_GT(decided, deals.size() / 40);
}

TEST(ChartSections, WriteBackAsTheSameSections) {
    const Game game = find_game("deuces-wild-full-pay").value();
    const Chart chart = read_chart(
        "pair\nfour deuces\n4 deuces alone\none deuce: straight\ndeuce alone\nno deuces\n"
        "4 to a royal flush\n4 to a flush\n",
        "s.chart", game);
    const std::string written = write_chart(chart, game, "deuces-wild-full-pay");
    EXPECT_NE(written.find("\nFour deuces:\n4 deuces alone\nOne deuce:\nstraight\n"),
              std::string::npos)
        << written;
    const Chart back = read_chart(written, "written.chart", game);
    EXPECT_EQ(back.keys(), chart.keys());
    for (std::size_t i = 0; i < chart.lines.size(); ++i) {
        EXPECT_EQ(back.lines[i].section, chart.lines[i].section) << chart.lines[i].words;
    }
    EXPECT_EQ(write_chart(back, game, "deuces-wild-full-pay"), written);
}

}  // namespace
}  // namespace quillon::odds

// The words of published charts that the program says in several lines: each reads as the
// holds its words name, checked against a plain reading of the words over the deals, and a chart
// written back with them reads the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>

#include "base/ranks.h"
#include "tests/odds/chart_word_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

// Whether any line of the chart (all but its last, "discard everything") is shown by the hold.
bool shows_any(const Chart& chart, const HoldPatterns& shown) {
    for (std::size_t i = 0; i + 1 < chart.lines.size(); ++i) {
        if (std::find(shown.begin(), shown.end(), chart.lines[i].key) != shown.end()) {
            return true;
        }
    }
    return false;
}

// Four natural cards of four ranks in a row that cards of natural ranks fill at both ends: in
// deuces wild no two is natural, so 3-4-5-6 has one end only and J-Q-K-A none.
bool outside_straight(const std::array<CardId, 5>& deal, HoldMask mask, const Game& game) {
    if (std::popcount(static_cast<unsigned>(mask)) != 4) {
        return false;
    }
    unsigned ranks = 0;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            if (is_wild(deal[i], game)) {
                return false;
            }
            ranks |= 1u << engine_rank(deal[i].rank());
        }
    }
    const int low = std::countr_zero(ranks);
    return ranks == 0xfu << low && low - 1 >= 1 && low + 4 <= kAce;
}

bool suited(const std::array<CardId, 5>& deal, HoldMask mask) {
    int suit = -1;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0) {
            const int s = static_cast<int>(deal[i].suit());
            if (suit >= 0 && s != suit) {
                return false;
            }
            suit = s;
        }
    }
    return true;
}

bool royal_cards(const std::array<CardId, 5>& deal, HoldMask mask) {
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0 && engine_rank(deal[i].rank()) < kTen) {
            return false;
        }
    }
    return true;
}

// Four natural suited cards, any ranks.
bool natural_flush_draw(const std::array<CardId, 5>& deal, HoldMask mask, const Game& game) {
    if (std::popcount(static_cast<unsigned>(mask)) != 4 || !suited(deal, mask)) {
        return false;
    }
    for (std::size_t i = 0; i < 5; ++i) {
        if ((mask >> i & 1u) != 0 && is_wild(deal[i], game)) {
            return false;
        }
    }
    return true;
}

// Over every `step`th deal class of full-pay Deuces, the holds the phrase's lines show against
// the plain reading of its words; the holds a line above must take (suited royal cards) are left
// out of both. Names the first deal and hold where they differ.
template <typename Reading>
std::string phrase_against_reading(const std::string& phrase, Reading reading) {
    const Game game = find_game("deuces-wild-full-pay").value();
    const RankProfile profile = rank_profile(game);
    const Chart chart = read_chart("4 to a royal flush\n" + phrase + "\ndiscard everything\n",
                                   "phrase.chart", game);
    Chart lines = chart;
    lines.lines.erase(lines.lines.begin());
    const std::vector<DealClass> deals = deal_classes(false);
    std::size_t matched = 0;
    for (std::size_t d = 0; d < deals.size(); d += 7) {
        const std::array<CardId, 5> cards = class_cards(deals[d], false);
        for (unsigned m = 1; m < kHoldCount; ++m) {
            const auto mask = static_cast<HoldMask>(m);
            if (suited(cards, mask) && royal_cards(cards, mask)) {
                continue;
            }
            const bool shown = shows_any(lines, patterns_of(game, profile, cards, mask));
            if (shown != reading(cards, mask, game)) {
                return held_cards(cards, 0x1f) + " hold " + held_cards(cards, mask) +
                       (shown ? " shows the line" : " does not show the line");
            }
            matched += shown ? 1 : 0;
        }
    }
    return matched > 100 ? "" : "too few holds matched: " + std::to_string(matched);
}

TEST(DeucesPhrases, ReadAsTheirWordsSayOverTheDeals) {
    QUILLON_WHOLE_GAME_SWEEP();
    EXPECT_EQ(phrase_against_reading("4 to an outside straight, mixed suits",
                                     [](const auto& deal, HoldMask mask, const Game& game) {
                                         return outside_straight(deal, mask, game) &&
                                                !suited(deal, mask);
                                     }),
              "");
    EXPECT_EQ(phrase_against_reading("4 to an outside straight", outside_straight), "");
    EXPECT_EQ(phrase_against_reading("4 to a flush", natural_flush_draw), "");
}

TEST(DeucesPhrases, NeedTheRoyalDrawAboveAndAddSomething) {
    const Game game = find_game("deuces-wild-full-pay").value();
    const auto error_of = [&](const std::string& text) -> std::string {
        try {
            read_chart(text, "d.chart", game);
        } catch (const ChartError& e) {
            return e.what();
        }
        return "";
    };
    EXPECT_EQ(error_of("4 to a flush\n"),
              "d.chart:1: '4 to a flush' takes in '4 to a royal "
              "flush' too: put a line that takes it above");
    // A line that takes in more than four natural royal cards serves as well.
    EXPECT_EQ(error_of("4 to a royal flush, natural or with deuces\n4 to an outside straight\n"),
              "");
    EXPECT_EQ(error_of("4 to a royal flush\n4 to an outside straight, not 3-4-5-6, mixed suits\n"
                       "4 to a straight flush, not a royal, no gaps, not 3-4-5-6\n"
                       "4 to an outside straight\n"),
              "d.chart:4: '4 to an outside straight' adds nothing to the lines above");
    // Lines above that the phrase takes in are left to them; a line below is given twice.
    const Chart chart = read_chart(
        "4 to a royal flush\n4 to a straight flush, not a royal, 1 gap, A-3-4-5\n4 to a flush\n",
        "d.chart", game);
    EXPECT_EQ(chart.lines.size(), 6u);
    EXPECT_EQ(chart.lines[5].words, "4 to a flush, no straight in it");
    EXPECT_EQ(chart.lines[5].file_line, 3);
    EXPECT_NE(error_of("4 to a royal flush\n4 to a flush\n4 to a flush, no straight in it\n")
                  .find("d.chart:3: '4 to a flush, no straight in it' is already the pattern of "
                        "line 2"),
              std::string::npos);
    // Where 3-4-5-6 is an outside straight the words need no phrase, and a game without wild
    // cards reads "4 to a flush" as its own pattern.
    EXPECT_EQ(read_chart("4 to a flush\n", "j.chart", find_game("jacks-or-better-9-6").value())
                  .lines.size(),
              1u);
}

const std::vector<WordDecision> kPhraseDeals = {
    // Of two suited pairs the tie rule keeps the one in more straights, whatever the order typed.
    {"jacks-or-better-9-6", "suited 10-K, 10-Q or 10-J", "h10 h13 s10 s11 d3", "s10 s11"},
    {"jacks-or-better-9-6", "suited 10-J, 10-Q or 10-K", "h10 h13 c4 s6 d3", "h10 h13"},
    {"jacks-or-better-9-6", "2 to a royal flush, 1 high card, no ace", "h10 h12 c4 s6 d3",
     "h10 h12"},
    {"jacks-or-better-9-6", "2 to a royal flush, 1 high card, no ace", "h10 h1 c4 s6 d3",
     "(draw five)"},
    {"jacks-or-better-9-6", "2 to a royal flush, 1 high card, with the ace", "h10 h1 c4 s6 d3",
     "h10 h1"},
    {"jacks-or-better-9-6", "unsuited J-Q or J-K", "h11 s13 c4 s6 d3", "h11 s13"},
    // A pat hand needs all five cards: trips and four of a kind are not.
    {"jacks-or-better-9-6", "any pat paying hand", "s5 d6 c7 h8 s9", "s5 d6 c7 h8 s9"},
    {"jacks-or-better-9-6", "any pat paying hand", "s7 d7 c7 h9 s9", "s7 d7 c7 h9 s9"},
    {"jacks-or-better-9-6", "any pat paying hand", "s7 d7 c7 h7 s2", "(draw five)"},
    {"deuces-wild-full-pay", "any pat paying hand", "s2 d6 c7 h8 s9", "s2 d6 c7 h8 s9"},
    {"deuces-wild-full-pay", "any pat paying hand", "s7 d7 c7 h9 s12", "(draw five)"},
    {"deuces-wild-full-pay", "any pat paying hand", "s2 d7 c7 h7 s9", "(draw five)"},
    {"deuces-wild-full-pay", "4 to a royal flush\n4 to an outside straight", "h5 h6 h7 h8 s8",
     "h5 h6 h7 h8"},
    {"deuces-wild-full-pay", "4 to a royal flush\n4 to an outside straight", "h3 h4 h5 h6 s13",
     "(draw five)"},
    {"deuces-wild-full-pay", "4 to a royal flush\n4 to a flush", "h3 h4 h5 h9 s13", "h3 h4 h5 h9"},
};

TEST(PublishedPhrases, KeepTheCardsTheirWordsSay) {
    for (const WordDecision& word : kPhraseDeals) {
        EXPECT_EQ(one_line_hold(word), word.hold) << word.chart << " on " << word.deal;
    }
}

TEST(PublishedPhrases, StandForTheSameLinesAndWriteBackAsThem) {
    const Game job = find_game("jacks-or-better-9-6").value();
    const std::vector<PatternKey> listed =
        read_chart("suited 10-J, 10-Q or 10-K\n", "a", job).keys();
    EXPECT_EQ(read_chart("2 to a royal flush, 1 high card, no ace\n", "b", job).keys(), listed);
    EXPECT_EQ(read_chart("Suited  10-Q, 10-K or 10-J\n", "c", job).keys(), listed);
    const Game deuces = find_game("deuces-wild-full-pay").value();
    const Chart chart = read_chart(
        "4 to a royal flush\n4 to an outside straight\nany pat paying hand\n4 to a flush\n"
        "discard everything\n",
        "d.chart", deuces);
    const Chart back = read_chart(write_chart(chart, deuces, "deuces-wild-full-pay"), "e", deuces);
    EXPECT_EQ(back.keys(), chart.keys());
    // A list of cards the game does not name, or an item given twice, is no phrase.
    EXPECT_TRUE(word_refused("jacks-or-better-9-6", "suited 10-J or 9-Q"));
    EXPECT_TRUE(word_refused("jacks-or-better-9-6", "suited 10-J or J-10"));
    EXPECT_TRUE(word_refused("deuces-wild-full-pay", "2 to a royal flush, 1 high card, no ace"));
}

}  // namespace
}  // namespace quillon::odds

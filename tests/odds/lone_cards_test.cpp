// A card kept alone in a joker game where no pair pays: the straights the discards leave it, and
// the words that keep a card by its flush penalty and clear straights.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "base/ranks.h"
#include "odds/strategy/words/lone_cards.h"
#include "tests/odds/chart_word_support.h"
#include "tests/odds/whole_game_sweep.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

constexpr unsigned rank_bit(int rank) {
    return 1u << rank;
}

TEST(LoneCards, ClearStraightsCountTheStraightsNoDiscardNeeds) {
    constexpr int kTwo = 0;
    constexpr int kFive = 3;
    constexpr int kEight = 6;
    constexpr int kNine = 7;
    constexpr int kQueen = 10;
    constexpr int kKing = 11;
    // With nothing thrown away: the ace makes the lowest straight and the highest.
    EXPECT_EQ(lone_cards::clear_count(kAce, 0), 2);
    EXPECT_EQ(lone_cards::clear_count(kTen, 0), 5);
    EXPECT_EQ(lone_cards::clear_count(kQueen, 0), 3);
    EXPECT_EQ(lone_cards::clear_count(kTwo, 0), 2);
    // A discarded five blocks A-5 only; a discarded king blocks 10-A too.
    EXPECT_EQ(lone_cards::clear_count(kAce, rank_bit(kFive)), 1);
    EXPECT_EQ(lone_cards::clear_count(kAce, rank_bit(kFive) | rank_bit(kKing)), 0);
    // Beside a queen an eight blocks 8-Q, a ten every straight.
    EXPECT_EQ(lone_cards::clear_count(kQueen, rank_bit(kEight)), 2);
    EXPECT_EQ(lone_cards::clear_count(kQueen, rank_bit(kTen)), 0);
    // A card of the kept rank thrown away takes nothing from it; ranks out of reach neither.
    EXPECT_EQ(lone_cards::clear_count(kNine, rank_bit(kNine) | rank_bit(kTwo)), 5);
    EXPECT_EQ(lone_cards::clear_count(kNine, rank_bit(kEight)), 1);
}

class LoneCardWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the card the word names, and no card where
// the word leaves the deal out.
TEST_P(LoneCardWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, LoneCardWord,
    ::testing::Values(
        // The five thrown away shares the nine's suit.
        Decision{"quillon", "nine alone, flush penalty", "s9 s5 c3 h12 h13", "s9"},
        Decision{"quillon", "nine alone, no flush penalty", "s9 s5 c3 h12 h13", "(draw five)"},
        Decision{"quillon", "nine alone, no flush penalty", "s9 d5 c3 h12 h13", "s9"},
        // The joker is thrown away with the rest.
        Decision{"quillon", "four alone, no flush penalty", "joker d4 c12 h13 s1", "d4"},
        // A queen beside a discarded eight: 9-K and 10-A stay clear; beside a ten, none.
        Decision{"quillon", "queen alone, no flush penalty, 2 straights clear", "s12 d8 c2 h3 h5",
                 "s12"},
        Decision{"quillon", "queen alone, no flush penalty, 2 straights clear", "s12 d8 c10 h3 h5",
                 "(draw five)"},
        Decision{"quillon", "queen alone, no flush penalty, no straight clear", "s12 d8 c10 h3 h5",
                 "s12"},
        // The other queen thrown away blocks nothing; of two that fit the tie rule keeps the
        // first in card order, the spade.
        Decision{"quillon", "queen alone, no flush penalty, 3 straights clear", "s12 d12 c2 h3 h5",
                 "s12"},
        Decision{"quillon", "ace alone, no flush penalty, 1 straight clear", "s1 d5 c7 h8 h9",
                 "s1"},
        // Beside the queen the two shares its suit, and the nine blocks 8-Q and 9-K.
        Decision{"quillon", "queen alone, flush penalty, 1 straight clear", "s12 s2 d9 c3 h4",
                 "s12"},
        Decision{"quillon", "queen alone, no flush penalty, 1 straight clear", "s12 s2 d9 c3 h4",
                 "(draw five)"},
        // Spot cards count their straights too: a discarded queen leaves a nine 5-9, 6-10 and
        // 7-J, a discarded ten only 5-9; an ace blocks none of a six's five.
        Decision{"quillon", "nine alone, no flush penalty, 3 straights clear", "s9 d2 c3 h12 h13",
                 "s9"},
        Decision{"quillon", "nine alone, no flush penalty, 3 straights clear", "s9 d2 c10 h12 h13",
                 "(draw five)"},
        Decision{"quillon", "nine alone, no flush penalty, 1 straight clear", "s9 d2 c10 h12 h13",
                 "s9"},
        Decision{"quillon", "six alone, flush penalty, 5 straights clear", "s6 s1 c13 h12 d11",
                 "s6"},
        // As many straights or more: a queen beside a discarded eight has two, beside a nine
        // one; three is all a queen can have, said only as "3 straights clear".
        Decision{"quillon", "queen alone, 2 or more straights clear", "s12 d8 c2 h3 h5", "s12"},
        Decision{"quillon", "queen alone, 2 or more straights clear", "s12 d12 c2 h3 h5", "s12"},
        Decision{"quillon", "queen alone, 2 or more straights clear", "s12 s2 d9 c3 h4",
                 "(draw five)"},
        // One card alone whatever its rank, by three clear straights or more: beside a
        // discarded two, three, queen and king the nine keeps 5-9, 6-10 and 7-J, the three only
        // 3-7 and the others none.
        Decision{"quillon", "one card alone, no flush penalty, 3 straights clear",
                 "s9 d2 c3 h12 h13", "s9"},
        Decision{"quillon", "one card alone, flush penalty, 3 straights clear", "s9 d2 c3 h12 h13",
                 "(draw five)"},
        Decision{"quillon", "one card alone, flush penalty, 3 straights clear", "s9 s2 c3 h12 h13",
                 "s9"},
        Decision{"quillon", "one card alone, 3 straights clear", "s9 s2 c3 h12 h13", "s9"},
        // Beside the joker: a discarded king and five block both of the ace's straights, a nine
        // neither; a discarded ten and four leave a seven only 5-9.
        Decision{"quillon", "joker + ace, no straight clear", "joker s13 d5 c4 h1", "joker h1"},
        Decision{"quillon", "joker + ace, 1 straight clear", "joker s13 d5 c4 h1", "(draw five)"},
        Decision{"quillon", "joker + ace, 1 straight clear", "joker s9 d5 c4 h1", "joker h1"},
        Decision{"quillon", "joker + seven, 1 straight clear", "joker s7 d10 c4 h13", "joker s7"}));

bool has(const HoldPatterns& patterns, PatternKey key) {
    return std::find(patterns.begin(), patterns.end(), key) != patterns.end();
}

// The finer words take in no hold their coarser words leave out, and the line search sees which
// lines a coarser word can merge: a card by its penalty and straights, by its penalty, by its
// rank alone.
TEST(LoneCards, FinerWordsHaveTheirCoarserWordsAsParents) {
    QUILLON_WHOLE_GAME_SWEEP();
    const Game game = find_game("quillon").value();
    const RankProfile profile = rank_profile(game);
    const HoldPatterns queen =
        coarser_patterns(word_key("queen alone, flush penalty, 1 straight clear", game), profile);
    for (const char* coarser : {"queen alone, flush penalty", "queen alone", "one card alone"}) {
        EXPECT_TRUE(has(queen, word_key(coarser, game))) << coarser;
    }
    EXPECT_FALSE(has(queen, word_key("queen alone, no flush penalty", game)));
    const HoldPatterns nine =
        coarser_patterns(word_key("nine alone, no flush penalty", game), profile);
    for (const char* coarser : {"nine alone", "one card alone"}) {
        EXPECT_TRUE(has(nine, word_key(coarser, game))) << coarser;
    }
    const HoldPatterns six =
        coarser_patterns(word_key("six alone, flush penalty, 4 straights clear", game), profile);
    for (const char* coarser : {"six alone, flush penalty", "six alone", "one card alone"}) {
        EXPECT_TRUE(has(six, word_key(coarser, game))) << coarser;
    }
    EXPECT_FALSE(has(six, word_key("six alone, flush penalty, 5 straights clear", game)));
    // A card by its straights takes in fewer straights or more, and from three the same said of
    // any rank; as many straights or more takes in fewer or more, but no count of any rank.
    const HoldPatterns jack = coarser_patterns(
        word_key("jack alone, no flush penalty, 3 straights clear", game), profile);
    for (const char* coarser :
         {"jack alone, no flush penalty", "jack alone, 3 or more straights clear",
          "jack alone, 1 or more straights clear",
          "one card alone, no flush penalty, 3 straights clear",
          "one card alone, 3 straights clear", "jack alone", "one card alone"}) {
        EXPECT_TRUE(has(jack, word_key(coarser, game))) << coarser;
    }
    EXPECT_FALSE(has(jack, word_key("one card alone, 4 straights clear", game)));
    const HoldPatterns more =
        coarser_patterns(word_key("jack alone, 2 or more straights clear", game), profile);
    EXPECT_TRUE(has(more, word_key("jack alone, 1 or more straights clear", game)));
    EXPECT_TRUE(has(more, word_key("jack alone", game)));
    EXPECT_FALSE(has(more, word_key("jack alone, 3 or more straights clear", game)));
    const HoldPatterns any = coarser_patterns(
        word_key("one card alone, flush penalty, 3 straights clear", game), profile);
    EXPECT_TRUE(has(any, word_key("one card alone, 3 straights clear", game)));
    EXPECT_TRUE(has(any, word_key("one card alone", game)));
    const HoldPatterns ace =
        coarser_patterns(word_key("joker + ace, 1 straight clear", game), profile);
    EXPECT_TRUE(has(ace, word_key("joker + ace", game)));
    EXPECT_FALSE(has(ace, word_key("ace alone", game)));
}

// The words belong to the joker games where no pair pays: where the kings pay, a lone card is
// never kept for its straights, and no word says so.
TEST(LoneCards, AreWordsOnlyWhereNoPairPays) {
    const Game kings = find_game("joker-kings-20-7-5").value();
    EXPECT_THROW(read_chart("queen alone, flush penalty, 2 straights clear\n", "x", kings),
                 ChartError);
    EXPECT_THROW(read_chart("nine alone, flush penalty\n", "x", kings), ChartError);
    EXPECT_TRUE(word_refused("joker-kings-20-7-5", "nine alone, 2 or more straights clear"));
    EXPECT_TRUE(word_refused("joker-kings-20-7-5", "one card alone, no flush penalty"));
    // Where the count is a card's most, "or more" adds nothing and is not said; nor is "no
    // straight" or more.
    EXPECT_TRUE(word_refused("quillon", "queen alone, 3 or more straights clear"));
    EXPECT_TRUE(word_refused("quillon", "queen alone, 0 or more straights clear"));
    EXPECT_FALSE(word_refused("quillon", "ten alone, 4 or more straights clear"));
    // Any rank is told by its straights from three up, and by its penalty only beside them.
    EXPECT_TRUE(word_refused("quillon", "one card alone, 2 straights clear"));
    EXPECT_TRUE(word_refused("quillon", "one card alone, no flush penalty"));
    EXPECT_THROW(read_chart("joker + ace, 1 straight clear\n", "x", kings), ChartError);
    const Game jacks = find_game("jacks-or-better-9-6").value();
    EXPECT_THROW(read_chart("queen alone, flush penalty, 2 straights clear\n", "x", jacks),
                 ChartError);
}

}  // namespace
}  // namespace quillon::odds

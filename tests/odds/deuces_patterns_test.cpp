// The deuces wild players' distinctions: the deals each word takes in and leaves out, and the
// coarser patterns a hold shows taking in every hold of the finer one.
#include <gtest/gtest.h>

#include "tests/odds/chart_word_support.h"

namespace quillon::odds {
namespace {

using Decision = WordDecision;

class DeucesWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the deal's cards the word names, and no
// card where the word leaves the deal out.
TEST_P(DeucesWord, KeepsTheDealsItNamesAndNoOthers) {
    EXPECT_EQ(one_line_hold(GetParam()), GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, DeucesWord,
    ::testing::Values(
        // Three natural cards to a straight flush by their highest card, the ace low: A-3-4 and
        // 3-4-5 lie in straights that need a two, 7-8-10 in none.
        Decision{"deuces-wild-full-pay",
                 "3 to a straight flush, not a royal, highest card 7 or higher", "s7 s8 s10 d4 h13",
                 "s7 s8 s10"},
        Decision{"deuces-wild-full-pay",
                 "3 to a straight flush, not a royal, highest card 7 or higher", "s1 s3 s4 d9 h13",
                 "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "3 to a straight flush, not a royal, highest card 6 or lower, the ace low",
                 "s1 s3 s4 d9 h13", "s1 s3 s4"},
        Decision{"deuces-wild-full-pay",
                 "3 to a straight flush, not a royal, highest card 6 or lower, the ace low",
                 "s3 s4 s5 d9 h13", "s3 s4 s5"},
        Decision{"deuces-wild-full-pay",
                 "3 to a straight flush, not a royal, highest card 6 or lower, the ace low",
                 "s5 s6 s7 d9 h13", "(draw five)"},
        // Four to a straight: A-3-4-5 is filled by a deuce alone, 3-4-5-6 by a 7 or a deuce.
        Decision{"deuces-wild-full-pay", "4 to a straight, not A-3-4-5, mixed suits",
                 "s1 d3 c4 h5 s13", "(draw five)"},
        Decision{"deuces-wild-full-pay", "4 to a straight, not A-3-4-5, mixed suits",
                 "s3 d4 c5 h6 s13", "s3 d4 c5 h6"},
        Decision{"deuces-wild-full-pay", "4 to an outside straight, not 3-4-5-6, mixed suits",
                 "s3 d4 c5 h6 s13", "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "4 to an inside straight or 3-4-5-6, not A-3-4-5, mixed suits", "s1 d3 c4 h5 s13",
                 "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "4 to an inside straight or 3-4-5-6, not A-3-4-5, mixed suits",
                 "s11 d12 c13 h1 s5", "s11 d12 c13 h1"},
        // Straight-flush draws at the low end, by the straights natural cards fill.
        Decision{"deuces-wild-full-pay",
                 "deuce + 3 to a straight flush, not a royal, no gaps, 4-5-6", "s2 h3 h4 h5 d13",
                 "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "deuce + 3 to a straight flush, not a royal, no gaps, 3-4-5", "s2 h3 h4 h5 d13",
                 "s2 h3 h4 h5"},
        Decision{"deuces-wild-full-pay",
                 "2 deuces + 2 to a straight flush, not a royal, no gaps, 4-5", "s2 d2 h6 h7 c13",
                 "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "2 deuces + 2 to a straight flush, not a royal, highest card 7 or higher",
                 "s2 d2 h3 h6 c13", "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "2 deuces + 2 to a straight flush, not a royal, highest card 7 or higher",
                 "s2 d2 h3 h7 c13", "s2 d2 h3 h7"},
        // Two to a royal flush by its highest card.
        Decision{"deuces-wild-full-pay", "2 to a royal flush, no ace", "h10 h1 s3 d6 c8",
                 "(draw five)"},
        Decision{"deuces-wild-full-pay", "2 to a royal flush, queen or jack high",
                 "h10 h13 s3 d6 c8", "(draw five)"},
        Decision{"deuces-wild-full-pay", "deuce + 2 to a royal flush, ace high", "s2 h12 h1 d5 c8",
                 "s2 h12 h1"},
        // Draws natural or with deuces: one card beside three deuces is four to a royal.
        Decision{"deuces-wild-full-pay", "4 to a royal flush, natural or with deuces",
                 "s2 d2 c2 h13 s9", "s2 d2 c2 h13"},
        Decision{"deuces-wild-full-pay", "4 to a royal flush, natural or with deuces",
                 "s2 h10 h11 d12 c5", "(draw five)"},
        Decision{"deuces-wild-full-pay",
                 "4 to a straight flush, not a royal, natural or with deuces", "h5 h6 h7 h9 c13",
                 "h5 h6 h7 h9"},
        // Sets natural or with deuces, and the made hands that pay at least five of a kind.
        Decision{"deuces-wild-full-pay", "four of a kind, natural or with deuces", "s2 d2 c2 h7 s9",
                 "s2 d2 c2 s9"},
        Decision{"deuces-wild-full-pay", "three of a kind, natural or with deuces",
                 "s2 d2 c6 h7 s9", "s2 d2 s9"},
        Decision{"deuces-wild-full-pay", "three of a kind, natural or with deuces",
                 "s5 d5 c5 h7 s9", "s5 d5 c5"},
        Decision{"deuces-wild-full-pay", "five of a kind or better, all five cards",
                 "s2 d2 c2 h2 s9", "s2 d2 c2 h2 s9"},
        Decision{"deuces-wild-full-pay", "five of a kind or better, all five cards",
                 "s2 h5 h6 h7 h8", "(draw five)"},
        Decision{"bonus-deuces-wild-13-4-3", "five of a kind or better, all five cards",
                 "s2 d2 c5 h5 s5", "s2 d2 c5 h5 s5"},
        // Bonus Deuces Wild pays five of a kind by rank, and keeps the pair that pays most so.
        Decision{"bonus-deuces-wild-13-4-3", "pair (threes to fives)", "s4 d4 c13 h13 s9", "s4 d4"},
        Decision{"bonus-deuces-wild-13-4-3", "pair (aces)", "s4 d4 c13 h13 s9", "(draw five)"}));

// Every coarser pattern of a pattern a hold shows is shown by that hold too, so that a line
// of coarser words takes in every hold of the finer ones.
TEST(DeucesPatterns, CoarserPatternsTakeInEveryHoldOfTheFiner) {
    for (const char* game : {"deuces-wild-full-pay", "bonus-deuces-wild-13-4-3"}) {
        EXPECT_EQ(coarser_pattern_not_shown(game, 11, false), "");
    }
}

}  // namespace
}  // namespace quillon::odds

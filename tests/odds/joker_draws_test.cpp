// The joker games' straight-flush draws at the ace end, told apart by the straights that reach
// them: the deals each word takes in and leaves out, and the coarser words still taking them in.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "odds/strategy/chart_score.h"
#include "odds/strategy/chart_text.h"
#include "odds/strategy/deal_patterns.h"
#include "odds/strategy/pattern_key.h"
#include "odds/suit_classes.h"
#include "tests/odds/odds_test_support.h"

namespace quillon::odds {
namespace {

struct Decision {
    std::string game;
    std::string chart;
    std::string deal;
    // The cards kept, in the deal's order; "(draw five)" where the deal is discarded whole.
    std::string hold;
};

class JokerEdgeWord : public ::testing::TestWithParam<Decision> {};

// A chart of the word over "discard everything" keeps the cards the word names, and no card
// where the word leaves the deal out.
TEST_P(JokerEdgeWord, KeepsTheDealsItNamesAndNoOthers) {
    const Game game = find_game(GetParam().game).value();
    const Chart chart =
        read_chart(GetParam().chart + "\ndiscard everything\n", "joker.chart", game);
    const std::array<CardId, 5> deal = parse_deal(GetParam().deal);
    const ChartDecision decision = decide_deal(chart, game, deal);
    std::string held;
    for (std::size_t i = 0; i < 5; ++i) {
        if ((decision.hold >> i & 1u) != 0) {
            held += (held.empty() ? "" : " ") + deal[i].text();
        }
    }
    EXPECT_EQ(held.empty() ? "(draw five)" : held, GetParam().hold);
}

INSTANTIATE_TEST_SUITE_P(
    Words, JokerEdgeWord,
    ::testing::Values(
        // Suited 3-4 reaches three straights, 2-3 two and A-2 one; 4-5 reaches four and is not
        // at the ace end.
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c3 c4 h2",
                 "c3 c4"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c2 c3 h9",
                 "(draw five)"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 3-4", "s11 d7 c4 c5 h9",
                 "(draw five)"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 2-3", "s11 d7 c2 c3 h9",
                 "c2 c3"},
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, A-2", "s11 d7 c1 c2 h9",
                 "c1 c2"},
        // The words that list them all still take in each one.
        Decision{"quillon", "2 to a straight flush, not a royal, no gaps, 2-3, 3-4 or A-2",
                 "s11 d7 c3 c4 h2", "c3 c4"},
        // Beside the joker, and with three cards: 2-3-4 reaches two straights, A-2-3 one.
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, no gaps, 2-3",
                 "joker h2 h3 s9 d12", "joker h2 h3"},
        Decision{"quillon", "joker + 2 to a straight flush, not a royal, no gaps, 2-3",
                 "joker h1 h2 s9 d12", "(draw five)"},
        Decision{"quillon", "3 to a straight flush, not a royal, no gaps, A-2-3", "h1 h2 h3 s9 d12",
                 "h1 h2 h3"},
        Decision{"quillon", "3 to a straight flush, not a royal, no gaps, A-2-3", "h2 h3 h4 s9 d12",
                 "(draw five)"},
        // Where pairs pay, the high cards come first: with no high card only 2-4 sits at the
        // ace end with one gap, so its words stay as they were.
        Decision{"joker-kings-20-7-5",
                 "joker + 2 to a straight flush, not a royal, 1 gap, 2-4, no high card",
                 "joker h2 h4 s9 d12", "joker h2 h4"}));

// Every coarser pattern of a draw a hold shows is shown by that hold too, so that a line of
// coarser words takes in every hold of the finer ones.
TEST(JokerDraws, CoarserDrawsTakeInEveryHoldOfTheFiner) {
    for (const char* name : {"quillon", "joker-kings-20-7-5"}) {
        const Game game = find_game(name).value();
        const RankProfile profile = rank_profile(game);
        const std::vector<DealClass> deals = deal_classes(true);
        for (std::size_t d = 0; d < deals.size(); d += 29) {
            const std::array<CardId, 5> cards = class_cards(deals[d], true);
            for (unsigned m = 0; m < kHoldCount; ++m) {
                const HoldPatterns shown =
                    patterns_of(game, profile, cards, static_cast<HoldMask>(m));
                for (const PatternKey key : shown) {
                    if (pattern_key::kind_of(key) != pattern_key::Kind::draw) {
                        continue;
                    }
                    for (const PatternKey coarser : coarser_patterns(key, profile)) {
                        ASSERT_NE(std::find(shown.begin(), shown.end(), coarser), shown.end())
                            << name << ": " << cards[0].text() << " " << cards[1].text() << " "
                            << cards[2].text() << " " << cards[3].text() << " " << cards[4].text()
                            << " hold " << m;
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace quillon::odds

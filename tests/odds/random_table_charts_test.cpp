// Charts of pay tables drawn at random: whatever a valid table pays, the chart's words name one
// pattern each, so that every chart the program writes reads back as itself and scores its own
// figure. The built-in games cannot show this alone: their tables are a few of many.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <unordered_set>

#include "odds/play/suit_classes.h"
#include "odds/strategy/chart/chart_report.h"
#include "odds/strategy/chart/chart_text.h"
#include "odds/strategy/patterns/deal_patterns.h"
#include "odds/strategy/patterns/pattern_words.h"
#include "odds/strategy/search/chart_builder.h"
#include "odds/strategy/search/strategy_chart.h"
#include "tests/odds/random_tables.h"

namespace quillon::odds {
namespace {

// The tables each deck is tried with: their words over a sample of deals, and whole charts of
// a few. QUILLON_RANDOM_TABLES and QUILLON_RANDOM_CHARTS ask for more, for a longer run by hand.
int count_from(const char* variable, int fallback) {
    const char* text = std::getenv(variable);
    return text != nullptr && std::atoi(text) > 0 ? std::atoi(text) : fallback;
}
const int kTablesPerDeck = count_from("QUILLON_RANDOM_TABLES", 100);
const int kChartsPerDeck = count_from("QUILLON_RANDOM_CHARTS", 1);
// One deal class in this many is looked at for the words.
constexpr std::size_t kDealStep = 127;

std::string normal_words(const std::string& text) {
    std::string out;
    bool space = false;
    for (const char c : text) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
            space = !out.empty();
            continue;
        }
        if (space) {
            out += ' ';
            space = false;
        }
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The first pattern some hold of the sampled deals shows that a chart could use but whose words
// do not read back as it, as "WORDS (KEY)"; "" where every one does.
std::string pattern_not_read_back(const Game& game, const std::vector<DealClass>& deals) {
    const RankProfile profile = rank_profile(game);
    const PatternWords words = pattern_words(game, profile);
    std::unordered_set<PatternKey> checked;
    for (std::size_t d = 0; d < deals.size(); d += kDealStep) {
        const std::array<CardId, 5> cards = class_cards(deals[d], game.has_joker());
        for (unsigned m = 0; m < kHoldCount; ++m) {
            for (const PatternKey key :
                 patterns_of(game, profile, cards, static_cast<HoldMask>(m))) {
                if (words.shadowed.contains(key) || !checked.insert(key).second) {
                    continue;
                }
                const std::string text = pattern_text(key, game, profile);
                const auto it = words.by_text.find(normal_words(text));
                if (it == words.by_text.end() || it->second != key) {
                    return text + " (" + std::to_string(key) + ")";
                }
            }
        }
    }
    return "";
}

class RandomTableCharts : public ::testing::TestWithParam<Deck> {};

TEST_P(RandomTableCharts, WordsOfEveryPatternAHoldShowsReadBackAsIt) {
    const Deck deck = GetParam();
    const std::vector<DealClass> deals = deal_classes(deck == Deck::joker);
    RandomTables tables(deck, 2024);
    for (int t = 0; t < kTablesPerDeck; ++t) {
        const std::string text = tables.next();
        const Game game = parse_game(text, "random.game");
        ASSERT_EQ(pattern_not_read_back(game, deals), "") << "table " << t << ":\n" << text;
    }
}

// Whole charts, at the default length and at 200 lines: each is written, read back as the same
// patterns and scored as the generator scored it.
TEST_P(RandomTableCharts, WholeChartsReadBackAndScoreTheirOwnFigure) {
    const Deck deck = GetParam();
    RandomTables tables(deck, 7);
    for (int t = 0; t < kChartsPerDeck; ++t) {
        const std::string text = tables.next();
        const Game game = parse_game(text, "random.game");
        const Tallies tallies(game);
        const RankProfile profile = rank_profile(game);
        const PatternWords words = pattern_words(game, profile);
        const DealPatterns table =
            deal_patterns(tallies, profile, deal_classes(game.jokers()), 2, &words.shadowed);
        for (const std::size_t lines : {std::size_t{0}, std::size_t{200}}) {
            const ChartLines chosen = build_chart(table, lines);
            std::vector<PatternKey> keys;
            for (const std::uint32_t id : chosen) {
                keys.push_back(table.keys[id]);
            }
            const std::string file = write_chart(chart_of_keys(keys, game), game, "random");
            ChartReport report;
            ASSERT_NO_THROW(report = report_chart(tallies, file, "random.chart"))
                << "table " << t << ", " << lines << " lines:\n"
                << text;
            EXPECT_EQ(report.chart.keys(), keys) << text;
            EXPECT_EQ(report.score.check.chart_pay, check_chart(tallies, table, chosen).chart_pay)
                << text;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Decks, RandomTableCharts,
                         ::testing::Values(Deck::plain, Deck::joker, Deck::deuces),
                         [](const auto& row) { return std::string(deck_name(row.param)); });

}  // namespace
}  // namespace quillon::odds
